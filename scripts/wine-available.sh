#!/bin/bash
# Exits 0 when Wine can run programs on this machine. Wine's loader is a
# 32-bit x86 program, which some virtual machines cannot execute at all
# (no 32-bit user mode): there every Wine step has to be skipped.
wine --version >/dev/null 2>&1

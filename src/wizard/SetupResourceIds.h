/* Resource numbers of the setup program: dialog templates, icons and control
   ids. Included by setup.rc and by the C++ code, so plain #defines only. */
#pragma once

/* Dialog templates */
#define IDD_ABOUTBOX 100
#define IDD_WIZARD 102
#define IDD_OS_PAGE 130
#define IDD_MODULE_PAGE 131
#define IDD_PORT_PAGE 132
#define IDD_LICENSE_PAGE 133
#define IDD_SETUP_TYPE_PAGE 137
#define IDD_PROGRESS 141

/* Icon */
#define IDR_MAINFRAME 128

/* System menu command of the About box */
#define IDM_ABOUTBOX 0x0010

/* Wizard window */
#define IDC_PAGE_FRAME 1001
#define IDC_BACK 1002
#define IDC_NEXT 1 /* IDOK: Next, or Install on the last page */
#define IDC_CANCEL 2
#define IDC_PICTURE 1087

/* Module page */
#define IDC_RECEIPT 1019
#define IDC_TICKET 1020
#define IDC_LABEL 1021
#define IDC_EMBEDDED 1073
#define IDC_RECEIPT_MODELS 1030
#define IDC_TICKET_MODELS 1031
#define IDC_LABEL_MODELS 1032
#define IDC_EMBEDDED_MODELS 1074
#define IDC_SET_DEFAULT 1046

/* Setup-type page */
#define IDC_TYPICAL 1066
#define IDC_ADVANCED 1067
#define IDC_REMARK_1 1068
#define IDC_REMARK_2 1069
#define IDC_REMARK_3 1070

/* OS page */
#define IDC_OS_WIN98 1026
#define IDC_OS_NT4 1027
#define IDC_OS_WIN2000 1028
#define IDC_OS_WINXP 1029
#define IDC_OS_SERVER2003 1075
#define IDC_OS_VISTA 1076

/* Port page */
#define IDC_PORTS 1049
#define IDC_BAUD_RATE 1041
#define IDC_BYTE_SIZE 1042
#define IDC_PARITY 1043
#define IDC_STOP_BITS 1044
#define IDC_PROTOCOL 1045
#define IDC_RASTER 1052
#define IDC_USB_HINT_1 1065
#define IDC_USB_HINT_2 1090
#define IDC_USB_HINT_3 1091

/* Licence page */
#define IDC_LICENSE_TEXT 1081
#define IDC_ACCEPT 1057
#define IDC_REJECT 1058

/* Progress window */
#define IDC_PROGRESS_BAR 1079

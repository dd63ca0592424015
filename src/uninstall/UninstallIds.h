/* Resource and control ids of the uninstaller, shared by its resource
   script and its code: #defines only, so that the resource compiler reads it. */
#ifndef KV_UNINSTALL_IDS_H
#define KV_UNINSTALL_IDS_H

#define IDD_ABOUT 100
#define IDD_UNINSTALL 102
#define IDD_RESTART 129

#define IDI_PROGRAM 128
#define IDI_RESTART 131

#define IDM_ABOUT 16

#define IDC_EXIT 2
#define IDC_UNINSTALL 1002
#define IDC_INSTRUCTIONS 1006
#define IDC_STATUS_LIST 1008
#define IDC_REMOVAL_LIST 1010
#define IDC_SELECT_ALL 1012
#define IDC_USB_DRIVER 1013
#define IDC_ABOUT_TEXT 1020
#define IDC_RESTART_TEXT1 1021
#define IDC_RESTART_TEXT2 1022
#define IDC_RESTART_TEXT3 1023

#endif

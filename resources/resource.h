// Identifiers of the program's resources and commands.
#pragma once

#define IDS_APP_TITLE 103
#define IDC_VELMORIA 109
#define IDI_VELMORIA 107
#define IDI_SMALL 108
#define IDD_ABOUTBOX 103
#define IDD_PARAMETERS 129

#define IDM_ABOUT 104
#define IDM_EXIT 105

#define IDC_FIELD_FIRST 1000
#define IDC_FIELD_LAST 1015

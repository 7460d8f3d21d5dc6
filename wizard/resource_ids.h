/* Numbers of the uninstaller's resources and controls, shared by the code and the resource script. */
#ifndef OLVET_WIZARD_RESOURCE_IDS_H
#define OLVET_WIZARD_RESOURCE_IDS_H

#define IDI_PROGRAM 128
#define IDB_LOGO 130

#define IDD_WELCOME_PAGE 130
#define IDD_FINISH_PAGE 201
#define IDD_PROGRESS_WINDOW 202

#define IDC_PROGRESS_BAR 1000
#define IDC_REBOOT_HINT 1000

#endif

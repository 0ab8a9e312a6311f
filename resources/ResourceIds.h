#ifndef LUMBRA_RESOURCE_IDS_H
#define LUMBRA_RESOURCE_IDS_H
/* Ids of the launcher's own resources, shared by the resource scripts and the code. */

/* The about and splash dialog and its one control, the picture. */
#define IDD_ABOUT_SPLASH 1550
#define IDC_ABOUT_PICTURE 1564

/* The splash picture: 480 x 320 pixels, 24 bits per pixel (drawn by make_splash.py). */
#define IDB_SPLASH 2045

/* The module list dialog and its controls: the list view and the check box take the places of the
   list-view and check-box placeholders. */
#define IDD_MODULE_LIST 1570
#define IDC_MODULE_LIST 1571
#define IDC_MODULE_SHOW_ALL 1572

/* The module list's texts, read from the running program's own string table. The launcher carries
   none of them (it never shows the list); a program that opens the list brings its own wording. */
#define IDS_MODULE_COLUMN_NAME 61314
#define IDS_MODULE_COLUMN_FOLDER 51602
#define IDS_MODULE_COLUMN_VERSION 61315
#define IDS_MODULE_LIST_CAPTION 61316
#define IDS_MODULE_SHOW_ALL 61317
#define IDS_MODULE_OK 51104

/* The module list's check box: 15 x 15 pixels, keyed on RGB(255, 0, 255) (drawn by make_buttons.py). */
#define IDB_CHECK_CHECKED 709
#define IDB_CHECK_DISABLED_CHECKED 710
#define IDB_CHECK_CLEARED 711
#define IDB_CHECK_DISABLED 712

/* The bitmap buttons' default pictures: disabled, selected and up are one-pixel placeholders,
   disabled-and-selected is 150 x 48. */
#define IDB_BUTTON_DEFAULT_DISABLED 2006
#define IDB_BUTTON_DEFAULT_SELECTED 2009
#define IDB_BUTTON_DEFAULT_UP 2010
#define IDB_BUTTON_DEFAULT_DISABLED_SELECTED 2012

#endif

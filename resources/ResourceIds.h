#ifndef LUMBRA_RESOURCE_IDS_H
#define LUMBRA_RESOURCE_IDS_H
/* Ids of the launcher's own resources, shared by the resource scripts and the code. */

/* The about and splash dialog and its one control, the picture. */
#define IDD_ABOUT_SPLASH 1550
#define IDC_ABOUT_PICTURE 1564

/* The splash picture: 480 x 320 pixels, 24 bits per pixel (drawn by make_splash.py). */
#define IDB_SPLASH 2045

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

#ifndef LUMBRA_RESOURCE_IDS_H
#define LUMBRA_RESOURCE_IDS_H
/* Ids of the launcher's own resources, shared by the resource scripts and the code. */

/* The about and splash dialog and its one control, the picture. */
#define IDD_ABOUT_SPLASH 1550
#define IDC_ABOUT_PICTURE 1564

/* The splash picture: 480 x 320 pixels, 24 bits per pixel (drawn by make_splash.py). */
#define IDB_SPLASH 2045

#endif

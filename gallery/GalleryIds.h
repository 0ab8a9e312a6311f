#ifndef VELL_GALLERY_IDS_H
#define VELL_GALLERY_IDS_H
/* Ids of the gallery's own resources, shared by its resource script and its code. */

/* The main dialog: the list of pages on the left, the page area on the right. */
#define IDD_GALLERY 3000
#define IDC_GALLERY_PAGES 3001
#define IDC_GALLERY_AREA 3002

/* A small styled dialog for the styled-dialog page, fixed and resizable. */
#define IDD_GALLERY_STYLED 3010
#define IDD_GALLERY_RESIZABLE 3011
#define IDC_GALLERY_STYLED_TEXT 3012
#define IDC_GALLERY_OPEN_STYLED 3013
#define IDC_GALLERY_OPEN_RESIZABLE 3014
#define IDC_GALLERY_OPEN_SPLASH 3015
#define IDC_GALLERY_OPEN_ABOUT 3016
#define IDC_GALLERY_SHOW_TEXT_LAYOUT 3017
#define IDC_GALLERY_SHOW_COLOURS 3018

/* The list box page's form: a text and a list box placeholder. */
#define IDD_GALLERY_LIST_FORM 3020
#define IDC_GALLERY_LIST_TEXT 3021
#define IDC_GALLERY_LIST 3022

/* Strings. */
#define IDS_GALLERY_TITLE 3100
#define IDS_PAGE_STYLED_DIALOGS 3101
#define IDS_PAGE_SPLASH_ABOUT 3102
#define IDS_STYLED_PAGE_TEXT 3103
#define IDS_SPLASH_PAGE_TEXT 3104
#define IDS_SPLASH_STATUS 3105
#define IDS_PAGE_QT_BASICS 3106
#define IDS_PAGE_CONTROL_TEXT 3107
#define IDS_CONTROL_TEXT_PAGE_TEXT 3108
#define IDS_PAGE_LIST_BOX 3109
#define IDS_LIST_BOX_PAGE_TEXT 3110
#define IDS_PAGE_QT_LIST_VIEW 3120

#endif

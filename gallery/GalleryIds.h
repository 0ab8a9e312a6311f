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
#define IDC_GALLERY_BUTTON_CHECK 3020
#define IDC_GALLERY_BUTTON_ROUND 3021
#define IDC_GALLERY_BUTTON_TOGGLE 3022
#define IDC_GALLERY_BUTTON_OK 3023
#define IDC_GALLERY_OPEN_BUTTON_STATES 3024
#define IDC_GALLERY_OPEN_BUTTON_REGIONS 3025

/* The list box page's form: a text and a list box placeholder. */
#define IDD_GALLERY_LIST_FORM 3030
#define IDC_GALLERY_LIST_TEXT 3031
#define IDC_GALLERY_LIST 3032

/* The tree and list view page's form: a text, a tree-view and a list-view placeholder. */
#define IDD_GALLERY_VIEWS_FORM 3050
#define IDC_GALLERY_VIEWS_TEXT 3051
#define IDC_GALLERY_VIEWS_TREE 3052
#define IDC_GALLERY_VIEWS_LIST 3053

/* Menus: the main window's menu bar and context menu, and the menus page. */
#define IDR_GALLERY_MENU 3040
#define IDR_GALLERY_CONTEXT 3041
#define IDC_GALLERY_SHOW_CONTEXT 3042
#define IDC_GALLERY_MENU_LOOKS 3043
#define ID_GALLERY_FIRST_COMMAND 3200
#define ID_FILE_NEW_ITEM 3200
#define ID_FILE_OPEN_ITEM 3201
#define ID_FILE_SAVE_ITEM 3202
#define ID_FILE_EXIT_ITEM 3203
#define ID_EDIT_CUT_ITEM 3210
#define ID_EDIT_COPY_ITEM 3211
#define ID_EDIT_PASTE_ITEM 3212
#define ID_EDIT_SELECT_ALL_ITEM 3213
#define ID_VIEW_STATUS_ITEM 3220
#define ID_VIEW_GRID_ITEM 3221
#define ID_VIEW_ZOOM_50 3222
#define ID_VIEW_ZOOM_100 3223
#define ID_VIEW_ZOOM_200 3224
#define ID_VIEW_REFRESH_ITEM 3225
#define ID_GALLERY_LAST_COMMAND 3299
/* Left without a handler on purpose: the menu shows them disabled. */
#define ID_EDIT_UNDO_ITEM 3300
#define ID_VIEW_FULL_SCREEN_ITEM 3301

/* The module list page: opens the about form, or the module list over it. */
#define IDC_GALLERY_ABOUT_FOR_MODULES 3060
#define IDC_GALLERY_OPEN_MODULE_LIST 3061

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
#define IDS_PAGE_BUTTONS 3111
#define IDS_BUTTONS_PAGE_TEXT 3112
#define IDS_PAGE_MENUS 3113
#define IDS_MENUS_PAGE_TEXT 3114
#define IDS_PAGE_MODULE_LIST 3140
#define IDS_MODULE_LIST_PAGE_TEXT 3141
#define IDS_PAGE_TREE_LIST_VIEWS 3130
#define IDS_TREE_LIST_PAGE_TEXT 3131

#endif

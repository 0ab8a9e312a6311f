#ifndef LIST_VIEW_TEST_IDS_H
#define LIST_VIEW_TEST_IDS_H
/* The form of the tree view and list view tests. */
#define IDD_VIEW_FORM 210
#define IDC_VIEW_EDIT 310
#define IDC_VIEW_TREE 311
#define IDC_VIEW_LIST 312
#endif

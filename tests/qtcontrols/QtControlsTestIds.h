#ifndef QT_CONTROLS_TEST_IDS_H
#define QT_CONTROLS_TEST_IDS_H
/* Templates and items of the hosted-control tests. */
#define IDD_HOST_FORM 200
#define IDD_HOST_FIRST 201
#define IDC_FORM_EDIT 301
#define IDC_FORM_LIST 302
#define IDC_FORM_DISABLED 303
#endif

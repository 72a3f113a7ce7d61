/* Identifiers of the resource library's strings and the bitmap library's
   bitmaps, shared by the .rc files and the code. Plain #defines only: the
   resource compiler reads this file too. */
#ifndef PELMORA_RESOURCE_IDS_H
#define PELMORA_RESOURCE_IDS_H

#define IDS_QUALITY_BEST            11
#define IDS_CUSTOM_SIZE             73
#define IDS_QUALITY_NORMAL          338
#define IDS_UNIT_INCHES             451
#define IDS_UNIT_MILLIMETRES        452
#define IDS_QUALITY_PHOTO           516
#define IDS_DEFAULT_WATERMARK_NAME  9433

/* Strings the pages and the conflict dialog show. Numbers are the ones the
   settings model and the pages name; the texts are in ppres.rc. */
#define IDS_TWO_SIDED_NOT               9
#define IDS_QUICK                       13
#define IDS_LAYOUT_OPTIONS              16
#define IDS_PAPER_SIZE_SUBJECT          18
#define IDS_CHANGE_MEDIA_QUESTION       22
#define IDS_ENVELOPE                    23
#define IDS_CANNOT_USE_WITH             32
#define IDS_WITH_PAGES_PER_SHEET        56
#define IDS_WITH_BOOKLET                57
#define IDS_WITH_POSTER                 58
#define IDS_WITH_LAYOUT                 59
#define IDS_CHANGE_TO_LETTER            63
#define IDS_CHANGE_TO_A4                68
#define IDS_AUTOMATIC                   98
#define IDS_MEDIA_PLAIN                 108
#define IDS_MEDIA_GLOSSY                109
#define IDS_MEDIA_TRANSPARENCY_TEXT     110
#define IDS_MEDIA_PREMIUM_TEXT          111
#define IDS_MEDIA_MATTE_TEXT            112
#define IDS_MEDIA_BROCHURE              113
#define IDS_MEDIA_TRANSPARENCY          311
#define IDS_MEDIA_PREMIUM               312
#define IDS_MEDIA_MATTE                 319
#define IDS_PREMIUM_ONE_SIDE            324
#define IDS_BEST_PHOTO                  337
#define IDS_DRAFT                       381
#define IDS_NOT_WITH_PHOTO_CARTRIDGE    382
#define IDS_YES_PHOTO                   383
#define IDS_NO_KEEP_DRAFT               384
#define IDS_BORDERLESS                  483
#define IDS_MAY_SMEAR                   534
#define IDS_PHOTO_ALSO                  535
#define IDS_YES_BEST                    538
#define IDS_MEDIA_SOFT_GLOSS            542
#define IDS_MEDIA_HIGH_GLOSS            543
#define IDS_MEDIA_MATTE_PHOTO           562
#define IDS_MAXIMUM_DPI                 606
#define IDS_STANDARD_PHOTO              607
#define IDS_MEDIA_PLAIN_FIRST           700     /* 700..707: media 270..277 */
#define IDS_CONFLICT_TITLE_PROPERTIES   6842
#define IDS_CONFLICT_HEADING            6844
#define IDS_CONFLICT_TITLE              6845
#define IDS_DRAFT_ON_GLOSSY             6846
#define IDS_ORDER_INK                   6924
#define IDS_MANUAL_TWO_SIDED            9336
#define IDS_TWO_SIDED_SIZES             9339
#define IDS_TRAY1                       9340
#define IDS_TRAY2                       9341
#define IDS_ORDER_SUPPLIES              9343
#define IDS_AUTOMATIC_TWO_SIDED         9353

/* Paper size names of the page setup list (strings of our own numbering). */
#define IDS_PAPER_LETTER                7101
#define IDS_PAPER_LEGAL                 7105
#define IDS_PAPER_EXECUTIVE             7107
#define IDS_PAPER_A4                    7109
#define IDS_PAPER_A5                    7111
#define IDS_PAPER_ENVELOPE10            7120
#define IDS_PAPER_ENVELOPE_DL           7127
#define IDS_PAPER_ENVELOPE_C5           7128
#define IDS_PAPER_PHOTO_4X6             7160
#define IDS_PAPER_PHOTO_5X7             7161
#define IDS_PAPER_PHOTO_10X15           7162
#define IDS_PAPER_PANORAMA              7170
#define IDS_PAPER_PHOTO_4X6_BORDERLESS  7296
#define IDS_PAPER_PHOTO_5X7_BORDERLESS  7297
#define IDS_PAPER_LETTER_BORDERLESS     7298
#define IDS_PAPER_A4_BORDERLESS         7299
#define IDS_SIZE_IN_RANGE               7300
#define IDS_SIZE_OUT_OF_RANGE           7301
#define IDS_BORDERLESS_TITLE            7302

/* Poster page selection dialog: its title and labels. */
#define IDS_POSTER_SELECT_TITLE         189
#define IDS_POSTER_SELECT_HELP_TEXT     190
#define IDS_POSTER_GRID_2X2             191
#define IDS_POSTER_GRID_3X3             192
#define IDS_POSTER_GRID_4X4             193
#define IDS_POSTER_PAGES_TO_PRINT       194
#define IDS_POSTER_OK                   195
#define IDS_POSTER_NONE_SELECTED        196
#define IDS_POSTER_CANCEL               197
#define IDS_POSTER_HELP                 198

/* Dialog templates whose numbers no one else fixes. */
#define IDD_PAGESETUP                   5500
#define IDD_CONFLICT                    5501
#define IDD_BORDERLESS_INFO             5502
#define IDD_CUSTOM_SIZE                 5208

/* Poster page and its page selection dialog. */
#define IDD_POSTER                      635
#define IDD_POSTER_SELECT               5218

/* Conflict dialog. */
#define IDC_CONFLICT_HEADING            1100
#define IDC_CONFLICT_TEXT1              1101
#define IDC_CONFLICT_TEXT2              1102
#define IDC_CONFLICT_TEXT3              1103
#define IDC_CONFLICT_TEXT4              1104
#define IDC_CONFLICT_TEXT5              1105
#define IDC_CONFLICT_TEXT6              1106
#define IDC_CONFLICT_FIRST              1110
#define IDC_CONFLICT_SECOND             1111
#define IDC_CONFLICT_EXTRA              1112

/* Page setup page. */
#define IDC_QUALITY_GROUP               1200
#define IDC_QUALITY_DRAFT               1201
#define IDC_QUALITY_NORMAL              1202
#define IDC_QUALITY_BEST                1203
#define IDC_QUALITY_AUTO                1204
#define IDC_QUALITY_DRAFT_LABEL         1205
#define IDC_QUALITY_NORMAL_LABEL        1206
#define IDC_QUALITY_BEST_LABEL          1207
#define IDC_QUALITY_AUTO_LABEL          1208
#define IDC_PHOTO_DPI                   1209
#define IDC_COPIES                      1210
#define IDC_COPIES_SPIN                 1211
#define IDC_COLLATE                     1212
#define IDC_PAGE_ORDER                  1213
#define IDC_COPIES_PICTURE              1214
#define IDC_PORTRAIT                    1220
#define IDC_LANDSCAPE                   1221
#define IDC_PORTRAIT_PICTURE            1222
#define IDC_LANDSCAPE_PICTURE           1223
#define IDC_MEDIA_TYPE                  1230
#define IDC_PAPER_SIZE                  1231
#define IDC_PAPER_SOURCE                1232
#define IDC_PAPER_SOURCE_LABEL          1233
#define IDC_PAPER_PICTURE               1234
#define IDC_PAPER_PICTURE2              1235
#define IDC_ENVELOPE                    1240
#define IDC_EDGE_TO_EDGE                1241
#define IDC_BLACK_WHITE                 1242
#define IDC_BLANK_PAGE                  1243
#define IDC_ORDER_INK                   1250
#define IDC_INK_TANK_LEFT               1251
#define IDC_INK_TANK_RIGHT              1252
#define IDC_LAYOUT_OPTIONS              1253
#define IDC_LAYOUT_NOTE                 1254

/* Borderless printing note. */
#define IDC_BORDERLESS_DONT_SHOW        1260

/* Custom paper size dialog. */
#define IDC_CUSTOM_WIDTH                1300
#define IDC_CUSTOM_WIDTH_SPIN           1301
#define IDC_CUSTOM_WIDTH_SLIDER         1302
#define IDC_CUSTOM_WIDTH_STATE          1303
#define IDC_CUSTOM_HEIGHT               1310
#define IDC_CUSTOM_HEIGHT_SPIN          1311
#define IDC_CUSTOM_HEIGHT_SLIDER        1312
#define IDC_CUSTOM_HEIGHT_STATE         1313
#define IDC_UNIT_INCHES                 1320
#define IDC_UNIT_MILLIMETRES            1321
#define IDC_CUSTOM_ENVELOPE             1322

/* Poster page. */
#define IDC_POSTER_2X2                  1500
#define IDC_POSTER_3X3                  1501
#define IDC_POSTER_4X4                  1502
#define IDC_POSTER_2X2_LABEL            1503
#define IDC_POSTER_3X3_LABEL            1504
#define IDC_POSTER_4X4_LABEL            1505
#define IDC_POSTER_OVERLAP              1506
#define IDC_POSTER_PREVIEW              1507
#define IDC_POSTER_SELECT               1508

/* Poster page selection dialog: one tile per sheet of each grid, numbered
   row by row from the top left (1510.. 2 x 2, 1520.. 3 x 3, 1530.. 4 x 4). */
#define IDC_POSTER_TILE_2X2             1510
#define IDC_POSTER_TILE_3X3             1520
#define IDC_POSTER_TILE_4X4             1530
#define IDC_POSTER_SELECT_HELP_TEXT     1550
#define IDC_POSTER_GRID_GROUP           1551
#define IDC_POSTER_STATUS_LABEL         1552
#define IDC_POSTER_STATUS               1553
#define IDC_POSTER_HELP                 1554
/* Advanced page and its layout pages (the poster page is template 635). */
#define IDD_ADVANCED                    740
#define IDD_LAYOUT_NORMAL               636
#define IDD_LAYOUT_TWO_UP               637
#define IDD_LAYOUT_PAGES_PER_SHEET      638
#define IDD_LAYOUT_BOOKLET              639
#define IDD_LAYOUT_PANORAMA             640
#define IDD_LAYOUT_BORDERLESS           641
#define IDS_SIDE_FLIP                   61
#define IDS_IMAGE_SHARPENING            508
#define IDS_SIDE_FLIP_TYPICAL           9439
#define IDS_LAYOUT_NORMAL               41400
#define IDS_LAYOUT_TWO_UP               41401
#define IDS_LAYOUT_PAGES_PER_SHEET      41402
#define IDS_LAYOUT_BOOKLET              41403
#define IDS_LAYOUT_POSTER               41404
#define IDS_LAYOUT_PANORAMA             41405
#define IDS_LAYOUT_BORDERLESS           41406
#define IDS_METHOD_NONE                 41410
#define IDS_METHOD_MANUAL               41411
#define IDS_METHOD_AUTOMATIC            41412
#define IDS_METHOD_AUTOMATIC_SLOW       41413
#define IDS_DRY_NORMAL                  41420
#define IDS_DRY_LONGER                  41421
#define IDS_DRY_LONGEST                 41422
#define IDC_ADV_LAYOUT_LIST             1800
#define IDC_ADV_SHEET                   1801
#define IDC_ADV_BIND_LONG               1803
#define IDC_ADV_BIND_LONG_PICTURE       1804
#define IDC_ADV_BIND_SHORT              1805
#define IDC_ADV_BIND_SHORT_PICTURE      1806
#define IDC_ADV_SIDE_FLIP_LABEL         1807
#define IDC_ADV_PRINT_OPTION            1808
#define IDC_ADV_DRY_TIME                1809
#define IDC_ADV_METHOD                  1810
#define IDC_ADV_SHARPENING              1811
#define IDC_ADV_SHARPENING_PICTURE      1812
#define IDC_ADV_STATUS_LINK             1813
#define IDC_ADV_MORE_OPTIONS            1814
#define IDC_LAYOUT_PICTURE              1820
#define IDC_LAYOUT_TEXT                 1821
/* Maintenance page and more-options dialog (controls 1400-1499). The task
   buttons' ids, the label strings 556-561 and template 6709 are fixed
   numbers; the rest are ours. */
#define IDD_MAINTENANCE                 700
#define IDD_MORE_OPTIONS                6709
#define IDS_TASK_PRINTER_STATUS         556
#define IDS_TASK_REPLACE_CARTRIDGE      557
#define IDS_TASK_ALIGN                  558
#define IDS_TASK_CLEAN_CARTRIDGES       559
#define IDS_TASK_TEST_PAGE              560
#define IDS_TASK_CLEAN_ROLLERS          561
#define IDC_TASK_PRINTER_STATUS         6059
#define IDC_TASK_REPLACE_CARTRIDGE      6001
#define IDC_TASK_ALIGN                  6002
#define IDC_TASK_CLEAN_CARTRIDGES       6003
#define IDC_TASK_TEST_PAGE              6004
#define IDC_TASK_CLEAN_ROLLERS          6005
#define IDC_TASK_PRINTER_STATUS_LABEL   1400
#define IDC_TASK_REPLACE_CARTRIDGE_LABEL 1401
#define IDC_TASK_ALIGN_LABEL            1402
#define IDC_TASK_CLEAN_CARTRIDGES_LABEL 1403
#define IDC_TASK_TEST_PAGE_LABEL        1404
#define IDC_TASK_CLEAN_ROLLERS_LABEL    1405
#define IDC_TASK_PRINTER_STATUS_NOTE    1406
#define IDC_TASK_REPLACE_CARTRIDGE_NOTE 1407
#define IDC_TASK_ALIGN_NOTE             1408
#define IDC_TASK_CLEAN_CARTRIDGES_NOTE  1409
#define IDC_TASK_TEST_PAGE_NOTE         1410
#define IDC_TASK_CLEAN_ROLLERS_NOTE     1411
#define IDC_MAINT_ORDER_INK             1412
#define IDC_MAINT_INK_LEFT              1413
#define IDC_MAINT_INK_RIGHT             1414
#define IDC_MORE_JOB_GROUP              1420
#define IDC_MORE_JOB_SHOW               1421
#define IDC_MORE_JOB_MINIMIZED          1422
#define IDC_MORE_JOB_HIDDEN             1423
#define IDC_MORE_JOB_NO_SPECIAL         1424
#define IDC_MORE_INK_GROUP              1425
#define IDC_MORE_INK_YES                1426
#define IDC_MORE_INK_NO                 1427
#define IDC_MORE_PAGES_GROUP            1428
#define IDC_MORE_PAGES_YES              1429
#define IDC_MORE_PAGES_NO               1430
#define IDC_MORE_CTP_GROUP              1431
#define IDC_MORE_CTP_A                  1432
#define IDC_MORE_CTP_B                  1433
#define IDC_MORE_BALLOON                1435
#define IDC_MORE_BALLOON_LABEL          1436
#define IDC_MORE_SOUND                  1437
#define IDC_MORE_BLANK_PAGE             1438
#define IDC_MORE_DID_YOU_KNOW           1439
#define IDC_MORE_STATUS_PROGRAM         1440
#define IDC_MORE_HELP                   1441
/* Colour options page and dialog, watermark pages and dialogs. */
#define IDS_DELETE_QUESTION_END         143
#define IDS_WM_FIRST_PAGE               9379
#define IDS_WM_OTHER_PAGES              9380
#define IDS_WM_ODD_PAGES                9381
#define IDS_WM_EVEN_PAGES               9382
#define IDS_WM_DELETE_CAPTION           9383
#define IDS_WM_DELETE_TEXT              9384
#define IDS_WM_GROUP_SELECT             9385
#define IDS_WM_GROUP_PAGES              9386
#define IDS_WM_GROUP_PLACEMENT          9387
#define IDS_WM_ANGLE_0                  9419
#define IDS_WM_ANGLE_45                 9420
#define IDS_WM_ANGLE_90                 9421
#define IDS_WM_COLOR_BLACK              9422   /* 9422..9428: black, red, green, blue, cyan, magenta, yellow */
#define IDS_WM_STYLE_REGULAR            9429
#define IDS_WM_STYLE_ITALIC             9430
#define IDS_WM_STYLE_BOLD               9431
#define IDS_WM_STYLE_BOLD_ITALIC        9432
#define IDS_WM_NAME_CAPTION             9434
#define IDS_WM_NAME_NEEDED              9435
#define IDS_WM_TEXT_NEEDED              9436
#define IDS_WM_NAME_TAKEN_START         9437
#define IDS_WM_NAME_TAKEN_END           9438
#define IDS_COLOR_OPTIONS_TITLE         41200
#define IDS_WATERMARKS_TITLE            41201

#define IDD_ADV_COLOR_OPTIONS           720
#define IDD_ADV_COLOR_OPTIONS_DLG       721
#define IDD_WATERMARK_TAB               722
#define IDD_WATERMARK_DLG               723
#define IDD_WATERMARK_EDIT              724

#define IDC_CONTRAST_OFF                1600
#define IDC_CONTRAST_ON                 1601
#define IDC_CONTRAST_AUTO               1602
#define IDC_CONTRAST_SLIDER             1603
#define IDC_CONTRAST_LESS               1604
#define IDC_CONTRAST_MORE               1605
#define IDC_FLASH_OFF                   1610
#define IDC_FLASH_ON                    1611
#define IDC_FLASH_AUTO                  1612
#define IDC_FLASH_SLIDER                1613
#define IDC_FLASH_LESS                  1614
#define IDC_FLASH_MORE                  1615
#define IDC_SHARPEN_OFF                 1620
#define IDC_SHARPEN_ON                  1621
#define IDC_SHARPEN_SOFTEN              1622
#define IDC_COLOR_PREVIEW               1623
#define IDC_COLOR_DEFAULTS              1624
#define IDC_COLOR_HELP                  1625

#define IDC_WM_LEFT_LIST                1650
#define IDC_WM_RIGHT_LIST               1651
#define IDC_WM_LEFT_LABEL               1652
#define IDC_WM_RIGHT_LABEL              1653
#define IDC_WM_FIRST_AND_OTHER          1654
#define IDC_WM_ODD_AND_EVEN             1655
#define IDC_WM_OVER                     1656
#define IDC_WM_UNDER                    1657
#define IDC_WM_ADD                      1658
#define IDC_WM_EDIT                     1659
#define IDC_WM_DELETE                   1660
#define IDC_WM_GROUP_SELECT             1661
#define IDC_WM_GROUP_PAGES              1662
#define IDC_WM_GROUP_PLACEMENT          1663
#define IDC_WM_PREVIEW                  1664

#define IDC_WME_NAME                    1700
#define IDC_WME_NAME_EDIT               1701
#define IDC_WME_NEW                     1702
#define IDC_WME_TEXT                    1703
#define IDC_WME_FONT                    1704
#define IDC_WME_STYLE                   1705
#define IDC_WME_SIZE                    1706
#define IDC_WME_COLOR                   1707
#define IDC_WME_ANGLE                   1708
#define IDC_WME_SHADE                   1709
#define IDC_WME_PREVIEW                 1710

#define IDB_PELMORA_LOGO            1000

/* Quality-and-copies pages of the alternate main window (controls 2000-2099). */
#define IDD_QUALITY                     750
#define IDD_QUALITY_NO_MEDIA_SENSE      751
#define IDS_PAPER_TYPE_LINK             495
#define IDS_STATUS_PROGRAM_LINK         496
#define IDC_QP_QUALITY_GROUP            2000
#define IDC_QP_AUTO                     2001
#define IDC_QP_DRAFT                    2002
#define IDC_QP_NORMAL                   2003
#define IDC_QP_BEST                     2004
#define IDC_QP_PHOTO                    2005
#define IDC_QP_AUTO_PICTURE             2006
#define IDC_QP_DRAFT_PICTURE            2007
#define IDC_QP_NORMAL_PICTURE           2008
#define IDC_QP_BEST_PICTURE             2009
#define IDC_QP_PHOTO_PICTURE            2010
#define IDC_QP_PHOTO_DPI                2011
#define IDC_QP_PHOTO_DPI_LABEL          2012
#define IDC_QP_MEDIA_AUTO               2020
#define IDC_QP_MEDIA_MANUAL             2021
#define IDC_QP_MEDIA_LIST               2022
#define IDC_QP_PAPER_TYPE_LINK          2023
#define IDC_QP_BLACK_WHITE              2030
#define IDC_QP_BLACK_WHITE_PICTURE      2031
#define IDC_QP_SHARPENING               2032
#define IDC_QP_SHARPENING_PICTURE       2033
#define IDC_QP_COPIES                   2040
#define IDC_QP_COPIES_SPIN              2041
#define IDC_QP_COLLATE                  2042
#define IDC_QP_PAGE_ORDER               2043
#define IDC_QP_COPIES_PICTURE           2044
#define IDC_QP_STATUS_LINK              2050
#define IDC_QP_HELP                     2051

/* Main dialog, its settings menu and dialogs (controls 2400-2499). */
#define IDD_OEMPROP                     602
#define IDM_OEMPROP                     602
#define IDI_PRINTER                     628
#define IDS_MAIN_TITLE_END              6779
#define IDD_SAVE_SETTINGS               780
#define IDD_MANAGE_SETTINGS             781
#define IDD_VERSION                     782
#define ID_HELP_INDEX                   32770
#define ID_SAVE_SETTINGS                32771
#define ID_MANAGE_SETTINGS              32772
#define ID_FACTORY_SETTINGS             32773
#define ID_LOAD_SLOT2                   32774   /* to 32778 for slot 6 */
#define ID_LOAD_SLOT6                   32778
#define ID_HELP_SEARCH                  32779
#define ID_ABOUT                        32780
#define ID_HELP_TOPIC_PAPER             6925
#define ID_HELP_TOPIC_LAYOUT            6926
#define ID_HELP_TOPIC_MAINTENANCE       9443
#define ID_HELP_TOPIC_WATERMARKS        9444
#define IDC_MAIN_SHEET                  2400    /* the sheet itself is 2401 */
#define IDC_MAIN_BANNER                 2402
#define IDC_SAVE_SLOTS                  2410
#define IDC_SAVE_NAME                   2411
#define IDC_MANAGE_SLOTS                2420
#define IDC_MANAGE_DELETE               2421
#define IDC_VERSION_PRINTER             2430
#define IDC_VERSION_TEXT                2431
#define IDS_TAB_PAGE_SETUP              41800
#define IDS_TAB_ADVANCED                41801
#define IDS_TAB_MAINTENANCE             41802
#define IDS_MANAGE_DELETE_CAPTION       41803
#define IDS_MANAGE_DELETE_TEXT          41804
#define IDS_VERSION_TEXT                41805

/* Alternate main window, its task menu, sheet pages and settings dialogs
   (controls 2100-2399, strings 41600-41799; template and task-menu button
   numbers as the window's callers fix them). */
#define IDD_ALTERNATE_MAIN              5001
#define IDD_ALT_PAPER                   5042
#define IDD_ALT_LAYOUT                  5043
#define IDD_TASK_MENU                   5044
#define IDD_ALT_WATERMARK               5316
#define IDD_TASK_QUALITY                5210
#define IDD_TASK_PAPER                  5211
#define IDD_TASK_LAYOUT                 5212
#define IDD_TASK_POSTER                 5213
#define IDD_TASK_WATERMARK              5214
#define IDD_TASK_COLOR                  5215
#define IDD_TASK_MAINTENANCE            5295

#define IDC_TASK_MENU_BUTTON            5049    /* the main window's button */
#define IDC_TASK_QUALITY_PICTURE        5049    /* the menu's buttons */
#define IDC_TASK_PAPER_PICTURE          5050
#define IDC_TASK_LAYOUT_PICTURE         5051
#define IDC_TASK_POSTER_PICTURE         5052
#define IDC_TASK_WATERMARK_PICTURE      5053
#define IDC_TASK_COLOR_PICTURE          5054
#define IDC_TASK_QUALITY_TEXT           5055
#define IDC_TASK_LAYOUT_TEXT            5057
#define IDC_TASK_POSTER_TEXT            5058
#define IDC_TASK_WATERMARK_TEXT         5059
#define IDC_TASK_COLOR_TEXT             5060
#define IDC_TASK_HOWTO_PICTURE          5061
#define IDC_TASK_HOWTO_TEXT             5062
#define IDC_TASK_MAINTENANCE_PICTURE    5274
#define IDC_TASK_MAINTENANCE_TEXT       5275
#define IDC_TASK_SHOW_ON_STARTUP        5276
#define IDC_TASK_PAPER_TEXT             2150    /* the paper task's words */
#define IDC_TASK_HEADING                2151

#define IDC_ALT_BANNER                  2100
#define IDC_ALT_LOGO                    2101
#define IDC_ALT_SHEET                   2102    /* placeholder; the sheet is 2103 */
#define IDC_ALT_SUMMARY_GROUP           2104
#define IDC_ALT_QUALITY_PICTURE         2110
#define IDC_ALT_QUALITY_TEXT            2111
#define IDC_ALT_PAPER_PICTURE           2112
#define IDC_ALT_PAPER_TEXT              2113
#define IDC_ALT_MEDIA_PICTURE           2114
#define IDC_ALT_MEDIA_TEXT              2115
#define IDC_ALT_LAYOUT_PICTURE          2116
#define IDC_ALT_LAYOUT_TEXT             2117
#define IDC_ALT_SHOW_QUALITY            2120
#define IDC_ALT_SHOW_PAPER              2121
#define IDC_ALT_SHOW_LAYOUT             2122
#define IDC_ALT_SHOW_WATERMARK          2123
#define IDC_ALT_HELP                    2124
#define IDC_FRAME_PAGE                  2130    /* placeholder of a framed page */
#define IDC_TASK_HELP                   2132

#define IDS_ALT_TITLE                   41600
#define IDS_ALT_PORTRAIT                41601
#define IDS_ALT_LANDSCAPE               41602
#define IDS_ALT_ONE_SIDED               41603
#define IDS_ALT_LONG_EDGE               41604
#define IDS_ALT_SHORT_EDGE              41605
#define IDS_ALT_MEDIA_AUTOMATIC         41606
#define IDS_ALT_QUALITY_DRAFT           33
#define IDS_ALT_QUALITY_NORMAL          320
#define IDS_ALT_QUALITY_AUTOMATIC       504
#define IDS_TASK_QUALITY                41610
#define IDS_TASK_PAPER                  41611
#define IDS_TASK_LAYOUT                 41612
#define IDS_TASK_POSTER                 41613
#define IDS_TASK_WATERMARK              41614
#define IDS_TASK_COLOR                  41615
#define IDS_TASK_MAINTENANCE            41616
#define IDS_TASK_HOWTO                  41617

#endif

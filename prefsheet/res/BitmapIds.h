/* Identifiers of the bitmap library's bitmaps, shared by ppbmp.rc, the
   generator (drawbitmaps.py reads the IDB_ names) and the code. Plain
   #defines only: the resource compiler reads this file too. Pure green
   (0, 255, 0) is transparent in every picture except the palette. */
#ifndef PELMORA_BITMAP_IDS_H
#define PELMORA_BITMAP_IDS_H

/* Copies, collation and page order, 100 x 56: numbered sheets as they come
   out of the printer. Order 2 is front to back (1 first), order 1 reverse. */
#define IDB_COPIES_UNCOLLATED                   6721 /* 2+ copies, not collated, order 2 */
#define IDB_COPIES_UNCOLLATED_REVERSE           6722 /* 2+ copies, not collated, order 1 */
#define IDB_COPIES_ONE                          6723 /* one copy, order 2 */
#define IDB_COPIES_ONE_REVERSE                  6724 /* one copy, order 1 */
#define IDB_COPIES_COLLATED                     6725 /* 2+ copies, collated, order 2 */
#define IDB_COPIES_COLLATED_REVERSE             6726 /* 2+ copies, collated, order 1 */

/* Paper kinds, 64 x 64, each as a portrait picture and its landscape
   companion. */
#define IDB_PAPER_BORDERLESS                    6727 /* flag 0x1000: photo to the edges */
#define IDB_PAPER_BORDERLESS_LANDSCAPE          6728
#define IDB_PAPER_PLAIN                         6729 /* no paper flag */
#define IDB_PAPER_ENVELOPE                      6730 /* flag 0x8000 */
#define IDB_PAPER_PANORAMA                      6731 /* flag 0x4000: the long panorama sheet */
#define IDB_PAPER_PANORAMA_LANDSCAPE            6732
#define IDB_PAPER_ENVELOPE_LANDSCAPE            6733
#define IDB_PAPER_PLAIN_LANDSCAPE               6734
#define IDB_PAPER_ENVELOPE_SHORT_FLAP_LANDSCAPE 6735
#define IDB_PAPER_ENVELOPE_SHORT_FLAP           6841 /* flag 0x8000, sizes 284 to 290 */
#define IDB_PAPER_TWO_UP                        6928 /* page-layout value 1 */
#define IDB_PAPER_TWO_UP_LANDSCAPE              6929

/* Quality picture buttons, 44 x 44: raised (up) and pressed (down). */
#define IDB_QUALITY_DRAFT_UP                    6765
#define IDB_QUALITY_BEST_UP                     6766
#define IDB_QUALITY_NORMAL_UP                   6767
#define IDB_QUALITY_AUTO_UP                     6768
#define IDB_QUALITY_DRAFT_DOWN                  6769
#define IDB_QUALITY_BEST_DOWN                   6770
#define IDB_QUALITY_NORMAL_DOWN                 6771
#define IDB_QUALITY_AUTO_DOWN                   6772

/* The 256-colour palette: an 8-bit picture whose colour table is the
   palette (CPalette256 builds it from that table). */
#define IDB_PALETTE_256                         5009

/* Validity indicator of the custom paper size dialog, 18 x 18. */
#define IDB_SIZE_VALID                          7001
#define IDB_SIZE_INVALID                        7002

/* Banners across the top of the main windows, 516 x 56: the preferences
   dialog's and the alternate main window's. */
#define IDB_BANNER                              6921
#define IDB_BANNER_ALTERNATE                    5011

/* Poster page, 96 x 96: one page enlarged over 2 x 2, 3 x 3 or 4 x 4 sheets,
   butted, or overlapping with cut marks (overlap marks on). */
#define IDB_POSTER_4X4_OVERLAP                  6759
#define IDB_POSTER_2X2_OVERLAP                  6760
#define IDB_POSTER_3X3                          6761
#define IDB_POSTER_3X3_OVERLAP                  6762
#define IDB_POSTER_4X4                          6763
#define IDB_POSTER_2X2                          6764

/* Poster size picture buttons, 44 x 44: raised (up) and pressed (down). */
#define IDB_POSTER_SIZE_2X2_UP                  7050
#define IDB_POSTER_SIZE_3X3_UP                  7051
#define IDB_POSTER_SIZE_4X4_UP                  7052
#define IDB_POSTER_SIZE_2X2_DOWN                7053
#define IDB_POSTER_SIZE_3X3_DOWN                7054
#define IDB_POSTER_SIZE_4X4_DOWN                7055
/* The advanced page: binding edges, layouts, sharpening. */
#define IDB_BINDING_LONG_EDGE                   7200
#define IDB_BINDING_SHORT_EDGE                  7201
#define IDB_LAYOUT_PAGES_PER_SHEET              7202
#define IDB_LAYOUT_BOOKLET                      7203
#define IDB_SHARPENING                          5428
/* Colour options preview, 120 x 90: one photo as the image-buffer options
   print it. Base by contrast and flash fill, plus 0 no sharpening, 1 sharpen,
   2 soften. */
#define IDB_COLOR_PLAIN                         6967
#define IDB_COLOR_PLAIN_SHARPEN                 6968
#define IDB_COLOR_PLAIN_SOFTEN                  6969
#define IDB_COLOR_FILL                          6970
#define IDB_COLOR_FILL_SHARPEN                  6971
#define IDB_COLOR_FILL_SOFTEN                   6972
#define IDB_COLOR_CONTRAST                      6973
#define IDB_COLOR_CONTRAST_SHARPEN              6974
#define IDB_COLOR_CONTRAST_SOFTEN               6975
#define IDB_COLOR_CONTRAST_FILL                 6976
#define IDB_COLOR_CONTRAST_FILL_SHARPEN         6977
#define IDB_COLOR_CONTRAST_FILL_SOFTEN          6978

/* The product logo, 32 x 32. */
#define IDB_PELMORA_LOGO                        1000

/* Maintenance task buttons, 40 x 40: raised (up) and pressed (down). */
#define IDB_TASK_STATUS_UP                      7010
#define IDB_TASK_STATUS_DOWN                    7011
#define IDB_TASK_CARTRIDGE_UP                   7012
#define IDB_TASK_CARTRIDGE_DOWN                 7013
#define IDB_TASK_ALIGN_UP                       7014
#define IDB_TASK_ALIGN_DOWN                     7015
#define IDB_TASK_CLEAN_UP                       7016
#define IDB_TASK_CLEAN_DOWN                     7017
#define IDB_TASK_TEST_PAGE_UP                   7018
#define IDB_TASK_TEST_PAGE_DOWN                 7019
#define IDB_TASK_ROLLERS_UP                     7020
#define IDB_TASK_ROLLERS_DOWN                   7021
/* Quality pages of the alternate main window: the photo quality button
   (44 x 44), the ink-style picture beside black and white (32 x 32) and the
   bar the paper-type link is written on (200 x 18). */
#define IDB_QUALITY_PHOTO_UP                    7300
#define IDB_QUALITY_PHOTO_DOWN                  7301
#define IDB_INK_STYLE                           5040
#define IDB_PAPER_TYPE_LINK                     5379

/* Alternate main window: the quality summary, 44 x 44 (numbers fixed by
   the window's table), media kinds for the summary, 44 x 44, and the task
   menu's picture buttons, 44 x 44, raised and pressed. */
#define IDB_SUMMARY_NORMAL                      5073 /* colour, quality -2 */
#define IDB_SUMMARY_BEST                        5074 /* colour, quality -3 */
#define IDB_SUMMARY_OTHER                       5075
#define IDB_SUMMARY_DRAFT                       5076 /* colour, quality -1 */
#define IDB_SUMMARY_NORMAL_GREY                 5077
#define IDB_SUMMARY_BEST_GREY                   5078
#define IDB_SUMMARY_MAXIMUM                     5321 /* colour, quality -4 */
#define IDB_SUMMARY_MAXIMUM_GREY                5322
#define IDB_SUMMARY_AUTOMATIC                   5386 /* quality -99 */
#define IDB_MEDIA_PLAIN                         7350
#define IDB_MEDIA_PHOTO                         7351
#define IDB_MEDIA_AUTOMATIC                     7352
#define IDB_MEDIA_SPECIAL                       7353
#define IDB_MENU_PAPER_UP                       7360
#define IDB_MENU_PAPER_DOWN                     7361
#define IDB_MENU_LAYOUT_UP                      7362
#define IDB_MENU_LAYOUT_DOWN                    7363
#define IDB_MENU_WATERMARK_UP                   7364
#define IDB_MENU_WATERMARK_DOWN                 7365
#define IDB_MENU_COLOR_UP                       7366
#define IDB_MENU_COLOR_DOWN                     7367
#define IDB_MENU_MAINTENANCE_UP                 7368
#define IDB_MENU_MAINTENANCE_DOWN               7369
#define IDB_MENU_HOWTO_UP                       7370
#define IDB_MENU_HOWTO_DOWN                     7371

#endif

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

#define IDB_PELMORA_LOGO            1000

#endif

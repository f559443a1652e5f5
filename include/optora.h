/*
 * optora.h - interface of optora.dll, the preferences library of the suite.
 *
 * Every entry point is a C function with the default (cdecl) calling
 * convention, exported by its undecorated name. Records returned by the
 * getters are owned by the library: read them in place, copy them if a
 * stable value is needed, and never free them. Every getter call reloads
 * its record, so a kept pointer shows the values of the latest call made
 * by any caller in the process.
 */
#ifndef OPTORA_H
#define OPTORA_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The library exports through its module-definition file alone. */
#if defined(OPTORA_BUILDING_DLL) || defined(OPTORA_NO_IMPORT)
#define OPTORA_API
#else
#define OPTORA_API __declspec(dllimport)
#endif

/* The registered window message names (OPTORA_MSG_...). */
#include "optora_messages.h"

/* Length of the application-name buffers, terminator included. */
#define OPTORA_APPNAME_SIZE 104

/* The records' layout is the interface: a caller built with other packing
   must still read the fields where the library wrote them. */
#pragma pack(push, 8)

typedef struct CutOptions_tag {
    char DosCutPath[256];
    char DosCutExtension[256];
    char CutFormat[256];
    int  Export;
    int  SaveToStorageArea;
    int  Bundles_By;
    int  AutoCut;
    char CutDefaultParamTbl[256];
    int  DosNameFormat;
    int  DosExtType;
    int  FilenameAppendCnt;
} CutOptions_tag;

typedef struct PlotOptions_tag {
    char DosPlotPath[256];
    int  DosPlotType;
    int  Bundles_By;
    char DefaultPlotQueue[256];
    char DefaultPlotMedia[256];
    int  DefaultPlotOutput;
    int  AutoPlot;
    char ImagePath[256];
    char ImageType[256];
    int  WastePercentage;
    int  DecimalYards;
    int  PlotDosNameFormat;
    int  PlotDosExtType;
    char PlotDosExt[256];
    int  PlotFilenameAppendCnt;
} PlotOptions_tag;

typedef struct OrderOptions_tag {
    int           OverwriteMarker;
    double        SplitPieceSeam;
    unsigned char LayruleMethod;
} OrderOptions_tag;

typedef struct UserEnvItems_tag {
    int           Bundles_By;
    int           OverwriteMarker;
    double        SplitPieceSeam;
    char          DosPlotPath[256];
    int           DosPlotType;
    char          DosCutPath[256];
    char          DosCutExtension[256];
    char          CutFormat[256];
    int           Export;
    int           SaveToStorageArea;
    int           GroupCount;
    int           Reserved;
    unsigned char LayruleMethod;
} UserEnvItems_tag;

/* A text held by the library. Text always points at a zero-terminated string,
   never null (an empty text points at ""). The library allocates and frees
   it: read it in place, copy it if it must outlive the next getter call, and
   never write through it, free it or change the pointer. */
typedef struct OptoraText {
    const char* Text;
} OptoraText;

/* Length of VerifyStorageArea, terminator included. */
#define OPTORA_STORAGE_AREA_SIZE 256

/* The digitize options. Lives from the first optora_getverifyoptions call to
   the unloading of the library. */
typedef struct VerifyOptions_tag {
    char          VerifyStorageArea[OPTORA_STORAGE_AREA_SIZE]; /* drive and area, e.g. "C:DATA70" */
    OptoraText    Model;          /* model the digitized pieces are added to; empty for none */
    OptoraText    GradeRule;      /* rule table (Type 0) or piece to copy grading from (Type 1) */
    OptoraText    Prefix;         /* piece name prefix */
    OptoraText    Category;       /* piece category */
    unsigned char CategoryChB;    /* 1: the category is the piece name; 0 otherwise */
    unsigned int  StartingNumber; /* first piece number */
    OptoraText    Size;           /* size digitized */
    int           Type;           /* 0: GradeRule names a rule table; 1: a piece */
} VerifyOptions_tag;

#pragma pack(pop)

/* Dialog launchers: modal over the caller's window; return when closed. */
OPTORA_API void optora_dopreferences_noarea(HWND owner);
OPTORA_API void optora_dogradeoptions(HWND owner, int listDisabled);
OPTORA_API void optora_docutoptions(HWND owner);
OPTORA_API void optora_doplotoptions(HWND owner, int option);
OPTORA_API void optora_doorderoptions(HWND owner, unsigned int offerLayrule);
OPTORA_API void optora_doverifyoptions(HWND owner);
OPTORA_API void optora_closeverifyoptions(HWND owner);

/* Program launchers (the window argument is not used). */
OPTORA_API void optora_dopreferences(HWND owner);
OPTORA_API void optora_dopreferences_devarea(HWND owner, const char* device, const char* storageArea);
OPTORA_API void optora_dopreferences_devarea_name(HWND owner, const char* device, const char* storageArea,
                                                  const char* tableName);

/* Values, read from or written to the registry on every call. */
OPTORA_API int  optora_getnotation(void);
OPTORA_API int  optora_getprecision(void);
OPTORA_API int  optora_getgradeoption(void);
OPTORA_API void optora_setgradeoption(int method);
OPTORA_API int  optora_getalteration(void);
OPTORA_API void optora_setalteration(int value);

/* Records held by the library, reloaded on every call. */
OPTORA_API CutOptions_tag*    optora_getcutoptions(void);
OPTORA_API PlotOptions_tag*   optora_getplotoptions(void);
OPTORA_API OrderOptions_tag*  optora_getorderoptions(void);
OPTORA_API UserEnvItems_tag*  optora_getoptionsettings(void);
OPTORA_API VerifyOptions_tag* optora_getverifyoptions(void);

/* Registered message identifiers. */
OPTORA_API int optora_getbroadcastid(void);
OPTORA_API int optora_getbroadcastid_gradeopt(void);
OPTORA_API int optora_getbroadcastalt(void);
OPTORA_API int optora_getbroadcastid_cutopt(void);
OPTORA_API int optora_getbroadcastid_plotopt(void);
OPTORA_API int optora_getbroadcastid_orderopt(void);
OPTORA_API int optora_getbroadcastid_verifyopt(void);

/* Application names selecting per-application cut and plot variants. A name
   of OPTORA_APPNAME_SIZE bytes or more is cut; a null pointer clears it. */
OPTORA_API void  optora_setcutapp(char* name);
OPTORA_API char* optora_getcutapp(void);
OPTORA_API void  optora_setplotapp(char* name);
OPTORA_API char* optora_getplotapp(void);

/* Underscore twins, kept for older callers. */
OPTORA_API void _optora_docutoptions(HWND owner);
OPTORA_API void _optora_dogradeoptions(HWND owner, int listDisabled);
OPTORA_API void _optora_doorderoptions(HWND owner, unsigned int offerLayrule);
OPTORA_API void _optora_doplotoptions(HWND owner); /* as optora_doplotoptions(owner, 0) */
OPTORA_API void _optora_dopreferences(HWND owner);
OPTORA_API void _optora_doverifyoptions(HWND owner);
OPTORA_API int  _optora_getbroadcastalt(void);
OPTORA_API int  _optora_getbroadcastid(void);
OPTORA_API int  _optora_getbroadcastid_cutopt(void);
OPTORA_API int  _optora_getbroadcastid_gradeopt(void);
OPTORA_API int  _optora_getbroadcastid_orderopt(void);
OPTORA_API int  _optora_getbroadcastid_plotopt(void);
OPTORA_API int  _optora_getbroadcastid_verifyopt(void);
OPTORA_API CutOptions_tag*    _optora_getcutoptions(void);
OPTORA_API int                _optora_getgradeoption(void);
OPTORA_API int                _optora_getnotation(void);
OPTORA_API UserEnvItems_tag*  _optora_getoptionsettings(void);
OPTORA_API OrderOptions_tag*  _optora_getorderoptions(void);
OPTORA_API PlotOptions_tag*   _optora_getplotoptions(void);
OPTORA_API int                _optora_getprecision(void);
OPTORA_API VerifyOptions_tag* _optora_getverifyoptions(void);
OPTORA_API void               _optora_setgradeoption(int method);

#ifdef __cplusplus
}
#endif

#endif /* OPTORA_H */

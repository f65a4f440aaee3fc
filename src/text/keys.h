#pragma once
// Every key the program looks up in the language file, in one list.
//
// The window code takes its keys from the constants below, and the language-file
// test walks allKeys(), so a key cannot be used without the shipped file being
// checked for it. Add a key here (in the list macro) before using it.
//
// Each key has a kind:
//   Column    - one line "key=en~de~...~ja", looked up without a number;
//   Numbered  - eleven lines key_01 (English) .. key_11 (Japanese), looked up
//               with the current language number.
// Item-numbered families (strCalc_01 .. strCalc_35, strSelChartHead_01 ..) are
// column entries whose number is part of the key; allKeys() lists each member.
//
// The signature lists, in order, the values a caller formats into the text:
//   'd' an integer (%d), 'f' a floating-point number (%f, %.2f),
//   'q' the quantity of a note template ("%.*f", filled by the unit formatting),
//   's' a text (%s).
// Every translation must carry the same conversions in the same order, since
// the values are passed by position.

#include <string>
#include <string_view>
#include <vector>

namespace unctora::text::keys {

enum class Kind { Column, Numbered };

struct KeyInfo {
    std::string_view key;
    Kind kind = Kind::Column;
    std::string_view signature; // see above; empty: the text takes no values
    int items = 0;              // > 0: an item list with this many items
};

// X(name, kind, signature, items) for every key with a fixed name.
// clang-format off
#define UNCTORA_FIXED_KEYS(X) \
    /* menus, tabs and headings */ \
    X(strOptions1, Column, "", 0) \
    X(strUnitSI, Column, "", 0) \
    X(strUnitImp, Column, "", 0) \
    X(strSelFont2, Column, "", 0) \
    X(strPrint1, Column, "", 0) \
    X(strLanguage1, Column, "", 0) \
    X(strAbout1, Column, "", 0) \
    X(strDial_Setting, Column, "", 0) \
    X(strDispRate, Column, "", 0) \
    X(strOpCond, Column, "", 0) \
    X(strCalculations, Column, "", 0) \
    X(strSelChart, Column, "", 0) \
    X(strSelectionChartTitle, Column, "", 0) \
    X(strAcc, Column, "", 0) \
    X(strEnglish, Column, "", 0) \
    X(strGerman, Column, "", 0) \
    X(strFrench, Column, "", 0) \
    X(strItalian, Column, "", 0) \
    X(strSwedish, Column, "", 0) \
    X(strSpanish, Column, "", 0) \
    X(strChinese, Column, "", 0) \
    X(strThai, Column, "", 0) \
    X(strRussian, Column, "", 0) \
    X(strPortuguese, Column, "", 0) \
    X(strJapanese, Column, "", 0) \
    /* inputs of the dial-setting tab */ \
    X(strBrgBasic, Column, "", 0) \
    X(strBrgDim, Column, "", 0) \
    X(strBrgType, Column, "", 0) \
    X(strGrease, Column, "", 0) \
    X(strUnspecified, Column, "", 0) \
    X(strLubricator, Column, "", 0) \
    X(strPowerSource, Column, "", 0) \
    X(strOutlets, Column, "", 0) \
    X(strSpeed, Column, "", 0) \
    X(strOpHrs, Column, "", 0) \
    X(strOpHrsUnit, Column, "", 0) \
    X(strBrgOpTemp, Column, "", 0) \
    X(strContMoistItems, Column, "", 3) \
    X(strLoadItems, Column, "", 4) \
    X(strShockLoadItems, Column, "", 2) \
    X(strShaftOriItems, Column, "", 2) \
    X(strReplenishItems, Column, "", 2) \
    X(strRotORItems, Column, "", 2) \
    /* bearing sub-variants */ \
    X(strCRB_Cage1, Column, "", 0) \
    X(strCRB_TextCage1, Column, "", 0) \
    X(strCRB_Cage2, Column, "", 0) \
    X(strCRB_TextCage2, Column, "", 0) \
    X(strCRB_NonLoc, Column, "", 0) \
    X(strCRB_LocI, Column, "", 0) \
    X(strCRB_TextLocI, Column, "", 0) \
    X(strCRB_LocII, Column, "", 0) \
    X(strCRB_TextLocII, Column, "", 0) \
    X(strCRB_NoCage, Column, "", 0) \
    X(strCRB_TextNoCage, Column, "", 0) \
    X(strSRB_LoadRatio1, Column, "", 0) \
    X(strSRB_LoadRatio2, Column, "", 0) \
    X(strSRB_LoadRatio3, Column, "", 0) \
    X(strSRB_Series, Column, "", 0) \
    X(strTORB_Cage, Column, "", 0) \
    X(strTORB_NoCage, Column, "", 0) \
    X(strTORB_TextNoCage, Column, "", 0) \
    /* results, setting display, buttons */ \
    X(strResults, Column, "", 0) \
    X(strTf, Column, "", 0) \
    X(strUnitTf, Column, "", 0) \
    X(strTcorr, Column, "", 0) \
    X(strUnitTcorr, Column, "", 0) \
    X(strGp, Column, "", 0) \
    X(strQf, Column, "", 0) \
    X(strDay, Column, "", 0) \
    X(strWeek, Column, "", 0) \
    X(strMonth, Column, "", 0) \
    X(strMonths, Column, "", 0) \
    X(strDipSwitchSetting, Column, "", 0) \
    X(strMeridoseDS, Column, "", 0) \
    X(strQuit, Column, "", 0) \
    X(strCopyClip, Column, "", 0) \
    X(strCopyClipHint, Column, "", 0) \
    /* unit labels */ \
    X(strGram, Column, "", 0) \
    X(stroz, Column, "", 0) \
    X(strDegC, Column, "", 0) \
    X(strDegF, Column, "", 0) \
    /* notes */ \
    X(strNote, Column, "", 0) \
    X(strNote1_1, Column, "qs", 0) \
    X(strNote1_2, Column, "s", 0) \
    X(strNote1_3, Column, "s", 0) \
    X(strNote2_1, Column, "qs", 0) \
    X(strNote2_2, Column, "qss", 0) \
    X(strNote2_3, Column, "ss", 0) \
    X(strNote3_1, Column, "", 0) \
    X(strNote3_2, Column, "", 0) \
    X(strNote3_3, Column, "", 0) \
    X(strNote3_4, Column, "", 0) \
    X(strNote4_4, Column, "", 0) \
    X(strNote4_5, Column, "", 0) \
    X(strNote4_6, Column, "", 0) \
    X(strCalcFailed, Column, "", 0) \
    X(strNote6_1, Column, "qs", 0) \
    X(strNote6_2, Column, "", 0) \
    X(strNote7_1, Column, "", 0) \
    X(strNote8_1, Column, "d", 0) \
    /* warnings */ \
    X(strLUB_INTERVAL_WARN, Numbered, "fff", 0) \
    X(strOUT_RING_ROT_WARN, Numbered, "", 0) \
    X(strVERT_SHAFT_WARN, Numbered, "", 0) \
    X(strCONTAM_WARN, Numbered, "", 0) \
    X(strOIL_LUB_WARN, Column, "", 0) \
    X(strCAGE_BEARING_WARN, Column, "", 0) \
    X(strTOO_LOW_SPEED_WARN, Column, "dd", 0) \
    X(strLOW_SPEED_WARN, Column, "", 0) \
    X(strLOW_AMB_WARN, Column, "ds", 0) \
    X(strHIGH_AMB_WARN, Column, "ds", 0) \
    /* operating conditions: captions, temperature items, tab */ \
    X(strContMoist, Column, "", 0) \
    X(strLoad, Column, "", 0) \
    X(strShockLoad, Column, "", 0) \
    X(strShaftOri, Column, "", 0) \
    X(strAmbTemp, Column, "", 0) \
    X(strReplenish, Column, "", 0) \
    X(strRotOR, Column, "", 0) \
    X(strLow, Column, "", 0) \
    X(strNormal, Column, "", 0) \
    X(strHigh, Column, "", 0) \
    X(strVeryHigh, Column, "", 0) \
    X(strTo, Column, "", 0) \
    X(strBelow, Column, "ds", 0) \
    X(strAverage, Column, "", 0) \
    X(strAbove, Column, "ds", 0) \
    X(strAmountOfLub1, Column, "", 0) \
    X(strAmountOfLub2, Column, "", 0) \
    X(strAmountOfLub3, Column, "", 0) \
    X(strPleaseContact, Numbered, "", 0) \
    X(strBrgSpeedLow1, Numbered, "", 0) \
    X(strDialComp, Column, "", 0) \
    X(strDesc, Column, "", 0) \
    X(strCond, Column, "", 0) \
    X(strSetting, Column, "", 0) \
    X(strNone, Column, "", 0) \
    X(strNormalSituation, Column, "", 0) \
    X(strAppReqMoreLub, Column, "", 0) \
    X(strLoadsLow, Column, "", 0) \
    X(strLoadsMedium, Column, "", 0) \
    X(strLoadsHigh, Column, "", 0) \
    X(strLoadsVeryHigh, Column, "", 0) \
    X(strIncFlowRate, Column, "", 0) \
    X(strShockLoad_1, Column, "", 0) \
    X(strShockLoad_2, Column, "", 0) \
    X(strShockLoad_3, Column, "", 0) \
    X(strShockLoad_4, Column, "", 0) \
    X(strRelubQuantMay_1, Column, "", 0) \
    X(strRelubQuantMay_2, Column, "dsds", 0) \
    X(strRelubQuantMay_3, Column, "", 0) \
    X(strNormalBrgTemp, Column, "dds", 0) \
    X(strAccAge2_1, Column, "", 0) \
    X(strAccAge2_2, Column, "dsdsds", 0) \
    X(strAccAge2_3, Column, "", 0) \
    X(strAccAge4_1, Column, "", 0) \
    X(strAccAge4_2, Column, "dsds", 0) \
    X(strAccAge4_3, Column, "", 0) \
    X(strVertShaft_1, Column, "", 0) \
    X(strVertShaft_2, Column, "", 0) \
    X(strVertShaft_3, Column, "", 0) \
    X(strVertShaft_4, Column, "", 0) \
    X(strIncResReq_1, Column, "", 0) \
    X(strDecResReq, Numbered, "", 0) \
    X(strElectricAndGas, Numbered, "s", 0) \
    X(strDecrease, Column, "", 0) \
    X(strIncrease, Column, "", 0) \
    X(strNoteLowTemp_1, Column, "", 0) \
    X(strNoteLowTemp_2, Column, "", 0) \
    X(strNoteHighTemp_1, Column, "", 0) \
    X(strNoteHighTemp_2, Column, "", 0) \
    X(strAccurateEvenWith_1, Column, "", 0) \
    X(strAccurateEvenWith_2, Column, "", 0) \
    X(strRelubQ47_1, Column, "", 0) \
    X(strRelubQ47_2, Column, "", 0) \
    X(strRelubQ47_3, Column, "", 0) \
    X(strRotOR_1, Column, "", 0) \
    X(strRotOR_2, Column, "", 0) \
    /* selection chart */ \
    X(strSelChartHeadCount, Column, "", 0) \
    X(strRecommended, Column, "", 0) \
    X(strSuitable, Column, "", 0) \
    X(strNotSuitable, Column, "", 0) \
    X(strSelChart_03, Column, "", 0) \
    X(strSelChart_04, Column, "", 0) \
    X(strSelChart_05, Column, "", 0) \
    X(strSelChart_06, Column, "", 0) \
    X(strNoCopyThisPage, Column, "", 0) \
    X(strNoPrinter, Column, "", 0) \
    X(strGrease_NVGU2, Numbered, "", 0) \
    X(strGrease_NVHA2, Numbered, "", 0) \
    X(strGrease_NVRO2, Numbered, "", 0) \
    X(strGrease_NVTE2, Numbered, "", 0) \
    X(strGrease_NVSU2, Numbered, "", 0) \
    X(strGrease_NVBE2, Numbered, "", 0) \
    X(strGrease_NVPI2, Numbered, "", 0) \
    X(strGrease_NVLO2, Numbered, "", 0) \
    X(strGrease_NVLO3, Numbered, "", 0) \
    X(strGrease_NVDA2, Numbered, "", 0) \
    X(strGrease_NVFI2, Numbered, "", 0) \
    X(strGrease_NVKA2, Numbered, "", 0) \
    X(strGrease_NVPI1, Numbered, "", 0) \
    /* accessories */ \
    X(strAccDesig, Column, "", 0) \
    X(strAccDesc, Column, "", 0) \
    X(strSuitableVOXA, Column, "", 0) \
    X(strSuitableTENO, Column, "", 0) \
    X(strSuitableOilFilled, Column, "", 0) \
    /* accessory descriptions: "str" and the designation without blanks and hyphens */ \
    X(strTLMPADM6, Column, "", 0) \
    X(strTLMPADM8, Column, "", 0) \
    X(strTLMPADM10, Column, "", 0) \
    X(strTLMPADM12, Column, "", 0) \
    X(strTLMPADG18, Column, "", 0) \
    X(strTLMPADG38, Column, "", 0) \
    X(strTLMPADG12, Column, "", 0) \
    X(strTLMPADNPT14, Column, "", 0) \
    X(strTLMPADNPT18, Column, "", 0) \
    X(strTLMPSOCK14, Column, "", 0) \
    X(strTLMPELB90, Column, "", 0) \
    X(strTLMPELB45, Column, "", 0) \
    X(strTLMPSWV90, Column, "", 0) \
    X(strTLMPY14, Column, "", 0) \
    X(strTLMPEXT50, Column, "", 0) \
    X(strTLMPEXT100, Column, "", 0) \
    X(strTLMPEXT150, Column, "", 0) \
    X(strTLMPHOSE300, Column, "", 0) \
    X(strTLMPTUBE8, Column, "", 0) \
    X(strTLMPPC8, Column, "", 0) \
    X(strTLMPCV14, Column, "", 0) \
    X(strTLMPCVOIL, Column, "", 0) \
    X(strTLMPBR1, Column, "", 0) \
    X(strTLMPBR2, Column, "", 0) \
    X(strTLMPCLPV, Column, "", 0) \
    X(strTLMPCLPT, Column, "", 0) \
    X(strTLMPMAG50, Column, "", 0) \
    X(strTLMPCOVV, Column, "", 0) \
    X(strTLMPCOVT, Column, "", 0) \
    X(strTLMPGRD1, Column, "", 0) \
    X(strTLMPBRU20, Column, "", 0) \
    X(strTLMPBRU40, Column, "", 0) \
    X(strTLMPBRUR25, Column, "", 0) \
    X(strTLMPPAD60, Column, "", 0) \
    X(strTLMPBATT, Column, "", 0) \
    X(strTLMPKEYV, Column, "", 0) \
    X(strTLMPFILL14, Column, "", 0) \
    /* printing and the font window */ \
    X(strOutputFrom, Column, "", 0) \
    X(strSelFont, Column, "", 0) \
    X(strSelFont_UK, Column, "", 0) \
    X(strCancel, Column, "", 0) \
    /* the plant plan */ \
    X(strPlantPlan1, Column, "", 0) \
    X(strPlanTitle, Column, "", 0) \
    X(strPlanFile, Column, "", 0) \
    X(strPlanNew, Column, "", 0) \
    X(strPlanOpen, Column, "", 0) \
    X(strPlanSave, Column, "", 0) \
    X(strPlanSaveAs, Column, "", 0) \
    X(strPlanExportIcs, Column, "", 0) \
    X(strPlanPrint, Column, "", 0) \
    X(strPlanClose, Column, "", 0) \
    X(strPlanPointsMenu, Column, "", 0) \
    X(strPlanAdd, Column, "", 0) \
    X(strPlanDuplicate, Column, "", 0) \
    X(strPlanDelete, Column, "", 0) \
    X(strPlanEdit, Column, "", 0) \
    X(strPlanStore, Column, "", 0) \
    X(strPlanFilter, Column, "", 0) \
    X(strPlanShowItems, Column, "", 2) \
    X(strPlanTabPoints, Column, "", 0) \
    X(strPlanTabChanges, Column, "", 0) \
    X(strPlanTabPurchases, Column, "", 0) \
    X(strPlanColumnItems, Column, "", 15) \
    X(strPlanChangeItems, Column, "", 7) \
    X(strPlanPurchaseItems, Column, "", 5) \
    X(strPlanStockItems, Column, "", 4) \
    X(strPlanStockKeep, Column, "", 0) \
    X(strPlanStockWhole, Column, "", 0) \
    X(strPlanStockBadRows, Column, "s", 0) \
    X(strPlanStockNotModel, Column, "ss", 0) \
    X(strPlanStockNotGrease, Column, "ss", 0) \
    X(strPlanStockNotCount, Column, "ss", 0) \
    X(strPlanStockNotDays, Column, "ss", 0) \
    X(strPlanStockTwice, Column, "d", 0) \
    X(strPlanStatusItems, Column, "", 7) \
    X(strPlanSummary, Column, "dd", 0) \
    X(strPlanPeriod, Column, "s", 0) \
    X(strPlanUnsaved, Column, "", 0) \
    X(strPlanKeptAside, Column, "ss", 0) \
    X(strPlanRecovery, Column, "ss", 0) \
    X(strPlanRecoveryItems, Column, "", 3) \
    X(strPlanChangedOnDisk, Column, "ss", 0) \
    X(strPlanChangedItems, Column, "", 3) \
    X(strPlanWindows1252, Column, "", 0) \
    X(strPlanRemind, Column, "", 0) \
    X(strPlanNoPoint, Column, "", 0) \
    X(strPlanStored, Column, "s", 0) \
    X(strPlanIcsSummary, Column, "s", 0) \
    X(strPlanIcsRefill, Column, "s", 0) \
    X(strPlanOverdueSince, Column, "s", 0) \
    X(strPlanOverdue, Column, "", 0) \
    X(strPlanOutOfRange, Column, "", 0) \
    X(strPlanAttentionItems, Column, "", 6) \
    X(strPlanGreaseReasonItems, Column, "", 4) \
    X(strPlanUnitDiffItems, Column, "", 5) \
    X(strPlanMsgLine, Column, "ds", 0) \
    X(strPlanMsgFieldCount, Column, "dd", 0) \
    X(strPlanMsgBadCell, Column, "ss", 0) \
    X(strPlanMsgBadDate, Column, "s", 0) \
    X(strPlanMsgDateRange, Column, "s", 0) \
    X(strPlanMsgBadVolume, Column, "s", 0) \
    X(strPlanMsgFailed, Column, "s", 0) \
    X(strPlanMsgTooSmall, Column, "fs", 0) \
    X(strPlanMsgTooSmallShared, Column, "ss", 0) \
    X(strPlanMsgOverGreased, Column, "ffs", 0) \
    X(strPlanMsgOverGreasedShared, Column, "fss", 0) \
    X(strPlanMsgGreaseUnsuitable, Column, "ss", 0) \
    X(strPlanMsgNotPlanned, Column, "", 0) \
    X(strPlanMsgFuture, Column, "s", 0) \
    X(strPlanMsgDuplicateId, Column, "s", 0) \
    X(strPlanMsgLifeCapped, Column, "f", 0) \
    X(strPlanMsgUnitMixed, Column, "ss", 0) \
    X(strPlanMsgUnitSingle, Column, "ss", 0) \
    X(strPlanMsgUnitBlocked, Column, "ss", 0) \
    X(strPlanCsvFiles, Column, "", 0) \
    X(strPlanIcsFiles, Column, "", 0) \
    X(strPlanExported, Column, "ds", 0) \
    /* the weekly round: change history, route sheet, labels */ \
    X(strHistRecord, Column, "", 0) \
    X(strHistRecordTitle, Column, "", 0) \
    X(strHistFieldItems, Column, "", 6) \
    X(strHistTab, Column, "", 0) \
    X(strHistColumnItems, Column, "", 11) \
    X(strHistLastItems, Column, "", 2) \
    X(strHistFilterItems, Column, "", 4) \
    X(strHistSettingDiffers, Column, "s", 0) \
    X(strHistMixWarning, Column, "ssss", 0) \
    X(strHistLocked, Column, "s", 0) \
    X(strHistTorn, Column, "ds", 0) \
    X(strHistWriteFailed, Column, "ss", 0) \
    X(strHistMixItems, Column, "", 2) \
    X(strHistSaveFirst, Column, "", 0) \
    X(strHistRecorded, Column, "sd", 0) \
    X(strHistAll, Column, "", 0) \
    X(strRoutePrint, Column, "", 0) \
    X(strRouteTitle, Column, "", 0) \
    X(strRoutePeriod, Column, "ss", 0) \
    X(strRouteFieldItems, Column, "", 5) \
    X(strRouteBoxItems, Column, "", 4) \
    X(strRouteRemarks, Column, "", 0) \
    X(strRouteSignItems, Column, "", 2) \
    X(strRouteContinued, Column, "s", 0) \
    X(strRoutePage, Column, "dd", 0) \
    X(strRouteEmpty, Column, "", 0) \
    X(strRouteCsvFiles, Column, "", 0) \
    X(strLabelPrint, Column, "", 0) \
    X(strLabelSheet, Column, "", 0) \
    X(strLabelLayoutItems, Column, "", 4) \
    X(strRouteDays, Column, "", 0) \
    X(strRouteDaysNote, Column, "", 0) \
    X(strRouteFiltered, Column, "", 0) \
    X(strLabelFirst, Column, "", 0) \
    X(strLabelSelected, Column, "d", 0) \
    X(strLabelAllShown, Column, "d", 0) \
    X(strLabelAll, Column, "d", 0) \
    X(strLabelNone, Column, "", 0) \
    X(strLabelNoId, Column, "", 0) \
    X(strLabelIdTooLong, Column, "s", 0) \
    X(strPlanUntitled, Column, "", 0)
// clang-format on

#define UNCTORA_KEY_CONSTANT(name, kind, signature, items) \
    inline constexpr std::string_view name = #name;
UNCTORA_FIXED_KEYS(UNCTORA_KEY_CONSTANT)
#undef UNCTORA_KEY_CONSTANT

// Item-numbered families: the calculation page has 35 text slots, the selection
// chart 16 row headers by default (its row count is itself a language text).
inline constexpr int kCalcSlots = 35;
inline constexpr int kSelChartHeadRows = 16;

// "strCalc_07" for slot 7.
std::string calcKey(int slot);
// "strSelChartHead_03" for row 3.
std::string selChartHeadKey(int row);
// Description key of a chart grease: "strGrease_" and the chart name without
// blanks ("NVGU 2" gives strGrease_NVGU2); a numbered entry.
std::string greaseDescriptionKey(std::string_view chartName);
// Menu caption key of a language: "str" and the language name (strGerman).
std::string languageMenuKey(std::string_view languageName);

// Every key the program looks up, the members of the item-numbered families
// included, each once.
const std::vector<KeyInfo>& allKeys();

// The entry of allKeys() for key (exact spelling); nullptr when it is not listed.
const KeyInfo* findKey(std::string_view key);

} // namespace unctora::text::keys

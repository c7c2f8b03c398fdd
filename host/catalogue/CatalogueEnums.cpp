// The catalogue's enumerations, sets and type names, and the groups of entries class rows share.
#include "host/catalogue/CatalogueRows.h"

#include <iterator>

namespace host::catalogue {

namespace {

// clang-format off
const TypeRow Types[] = {
    // controls
    {"TAnchorKind", "(akLeft, akTop, akRight, akBottom)"},
    {"TAnchors", "set of TAnchorKind"},
    {"TBiDiMode", "(bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)"},
    {"TDragKind", "(dkDrag, dkDock)"},
    {"TDragMode", "(dmManual, dmAutomatic)"},
    {"THelpType", "(htKeyword, htContext)"},
    {"TBevelCut", "(bvNone, bvLowered, bvRaised, bvSpace)"},
    {"TBevelEdge", "(beLeft, beTop, beRight, beBottom)"},
    {"TBevelEdges", "set of TBevelEdge"},
    {"TBevelKind", "(bkNone, bkTile, bkSoft, bkFlat)"},
    {"TImeMode", "(imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, "
                 "imKata, imChinese, imSHanguel, imHanguel)"},
    {"TBorderStyle", "(bsNone, bsSingle)"},
    {"TScrollBarStyle", "(ssRegular, ssFlat, ssHotTrack)"},
    {"TScrollBarInc", "= SmallInt"},
    {"TAlignment", "(taLeftJustify, taRightJustify, taCenter)"},
    {"TLeftRight", "(taLeftJustify, taRightJustify)"},
    {"TTextLayout", "(tlTop, tlCenter, tlBottom)"},
    // forms
    {"TFormBorderStyle", "(bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)"},
    {"TBorderIcon", "(biSystemMenu, biMinimize, biMaximize, biHelp)"},
    {"TBorderIcons", "set of TBorderIcon"},
    {"TFormStyle", "(fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)"},
    {"TPosition", "(poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, "
                  "poDesktopCenter, poMainFormCenter, poOwnerFormCenter)"},
    {"TWindowState", "(wsNormal, wsMinimized, wsMaximized)"},
    {"TPrintScale", "(poNone, poProportional, poPrintToFit)"},
    {"TDefaultMonitor", "(dmDesktop, dmPrimary, dmMainForm, dmActiveForm)"},
    // graphics
    {"TBrushStyle", "(bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, "
                    "bsCross, bsDiagCross)"},
    {"TPenStyle", "(psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)"},
    {"TPenMode", "(pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, "
                 "pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, "
                 "pmNotMask, pmXor, pmNotXor)"},
    // Standard and Additional
    {"TEditCharCase", "(ecNormal, ecUpperCase, ecLowerCase)"},
    {"TScrollStyle", "(ssNone, ssHorizontal, ssVertical, ssBoth)"},
    {"TCheckBoxState", "(cbUnchecked, cbChecked, cbGrayed)"},
    {"TListBoxStyle", "(lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, "
                      "lbVirtualOwnerDraw)"},
    {"TComboBoxStyle", "(csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, "
                       "csOwnerDrawVariable)"},
    {"TScrollBarKind", "(sbHorizontal, sbVertical)"},
    {"TButtonStyle", "(bsAutoDetect, bsWin31, bsNew)"},
    {"TBitBtnKind", "(bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, "
                    "bkIgnore, bkAll)"},
    {"TNumGlyphs", "= Integer"},
    {"TBevelShape", "(bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, "
                    "bsSpacer)"},
    {"TBevelStyle", "(bsLowered, bsRaised)"},
    {"TShapeType", "(stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)"},
    {"TGridOption", "(goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, "
                    "goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, "
                    "goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking)"},
    {"TGridOptions", "set of TGridOption"},
    {"TStaticBorderStyle", "(sbsNone, sbsSingle, sbsSunken)"},
    {"TResizeStyle", "(rsNone, rsLine, rsUpdate, rsPattern)"},
    {"TMenuAutoFlag", "(maAutomatic, maManual, maParent)"},
    {"TMenuItemAutoFlag", "= TMenuAutoFlag"},
    {"TPopupAlignment", "(paLeft, paRight, paCenter)"},
    {"TMenuBreak", "(mbNone, mbBreak, mbBarBreak)"},
    {"TTrackButton", "(tbRightButton, tbLeftButton)"},
    {"TMenuAnimations", "(maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone)"},
    {"TMenuAnimation", "set of TMenuAnimations"},
    // Win32
    {"TTabStyle", "(tsTabs, tsButtons, tsFlatButtons)"},
    {"TTabPosition", "(tpTop, tpBottom, tpLeft, tpRight)"},
    {"TTrackBarOrientation", "(trHorizontal, trVertical)"},
    {"TTickMark", "(tmBottomRight, tmTopLeft, tmBoth)"},
    {"TTickStyle", "(tsNone, tsAuto, tsManual)"},
    {"TProgressBarOrientation", "(pbHorizontal, pbVertical)"},
    {"TUDAlignButton", "(udLeft, udRight)"},
    {"TUDOrientation", "(udHorizontal, udVertical)"},
    {"THKModifier", "(hkShift, hkCtrl, hkAlt, hkExt)"},
    {"THKModifiers", "set of THKModifier"},
    {"THKInvalidKey", "(hcNone, hcShift, hcCtrl, hcAlt, hcShiftCtrl, hcShiftAlt, hcCtrlAlt, "
                      "hcShiftCtrlAlt)"},
    {"THKInvalidKeys", "set of THKInvalidKey"},
    {"TCommonAVI", "(aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, "
                   "aviCopyFile, aviRecycleFile, aviEmptyRecycle, aviDeleteFile)"},
    {"TDTCalAlignment", "(dtaLeft, dtaRight)"},
    {"TDTDateMode", "(dmComboBox, dmUpDown)"},
    {"TDTDateFormat", "(dfShort, dfLong)"},
    {"TDateTimeKind", "(dtkDate, dtkTime)"},
    {"TSortType", "(stNone, stData, stText, stBoth)"},
    {"TViewStyle", "(vsIcon, vsSmallIcon, vsList, vsReport)"},
    {"THeaderStyle", "(hsButtons, hsFlat)"},
    {"TEdgeBorder", "(ebLeft, ebTop, ebRight, ebBottom)"},
    {"TEdgeBorders", "set of TEdgeBorder"},
    {"TEdgeStyle", "(esNone, esRaised, esLowered)"},
    {"TToolButtonStyle", "(tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)"},
    {"TCoolBandMaximize", "(bmNone, bmClick, bmDblClick)"},
    {"TDrawingStyle", "(dsFocus, dsSelected, dsNormal, dsTransparent)"},
    {"TImageType", "(itImage, itMask)"},
    {"TCalDayOfWeek", "(dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, "
                      "dowSunday, dowLocaleDefault)"},
    // System
    {"TMPBtnType", "(btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject)"},
    {"TButtonSet", "set of TMPBtnType"},
    {"TMPDeviceTypes", "(dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, "
                       "dtOther, dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, "
                       "dtWaveAudio)"},
    // Dialogs
    {"TFontDialogOption", "(fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, "
                          "fdForceFontExist, fdNoFaceSel, fdNoOEMFonts, fdNoSimulations, "
                          "fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, "
                          "fdLimitSize, fdScalableOnly, fdApplyButton)"},
    {"TFontDialogOptions", "set of TFontDialogOption"},
    {"TFontDialogDevice", "(fdScreen, fdPrinter, fdBoth)"},
    {"TColorDialogOption", "(cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, "
                           "cdAnyColor)"},
    {"TColorDialogOptions", "set of TColorDialogOption"},
    {"TPrintRange", "(prAllPages, prSelection, prPageNums)"},
    {"TPrintDialogOption", "(poPrintToFile, poPageNums, poSelection, poWarning, poHelp, "
                           "poDisablePrintToFile)"},
    {"TPrintDialogOptions", "set of TPrintDialogOption"},
    {"TFindOption", "(frDown, frFindNext, frHideMatchCase, frHideWholeWord, frHideUpDown, "
                    "frMatchCase, frDisableMatchCase, frDisableUpDown, frDisableWholeWord, "
                    "frReplace, frReplaceAll, frWholeWord, frShowHelp)"},
    {"TFindOptions", "set of TFindOption"},
    // Data Access, Data Controls, fields
    {"TFieldKind", "(fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate)"},
    {"TFieldType", "(ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, "
                   "ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, "
                   "ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle, "
                   "ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT, "
                   "ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, "
                   "ftInterface, ftIDispatch, ftGuid)"},
    {"TBlobType", "= TFieldType"},
    {"TAutoRefreshFlag", "(arNone, arAutoInc, arDefault)"},
    {"TProviderFlag", "(pfInUpdate, pfInWhere, pfInKey, pfHidden)"},
    {"TProviderFlags", "set of TProviderFlag"},
    {"TFilterOption", "(foCaseInsensitive, foNoPartialCompare)"},
    {"TFilterOptions", "set of TFilterOption"},
    {"TTableType", "(ttDefault, ttParadox, ttDBase, ttFoxPro, ttASCII)"},
    {"TUpdateMode", "(upWhereAll, upWhereChanged, upWhereKeyOnly)"},
    {"TTransIsolation", "(tiDirtyRead, tiReadCommitted, tiRepeatableRead)"},
    {"TBatchMode", "(batAppend, batUpdate, batAppendUpdate, batDelete, batCopy)"},
    {"TNavigateBtn", "(nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, "
                     "nbCancel, nbRefresh)"},
    {"TNavButtonSet", "set of TNavigateBtn"},
    {"TDBGridOption", "(dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, "
                      "dgColLines, dgRowLines, dgTabs, dgRowSelect, dgAlwaysShowSelection, "
                      "dgConfirmDelete, dgCancelOnExit, dgMultiSelect)"},
    {"TDBGridOptions", "set of TDBGridOption"},
    {"TDropDownAlign", "(daLeft, daRight, daCenter)"},
    {"TParamBindMode", "(pbByName, pbByNumber)"},
    {"TActionListState", "(asNormal, asSuspended, asSuspendedEnabled)"},
};

// Entries that many classes publish together.
const GroupRow GroupRows[] = {
    {"Drag", "DragCursor; DragKind; DragMode"},
    {"Bevels", "BevelEdges; BevelInner; BevelKind; BevelOuter"},
    {"Mouse", "OnMouseDown; OnMouseMove; OnMouseUp"},
    {"Dragging", "OnDragDrop; OnDragOver; OnEndDock; OnEndDrag; OnStartDock; OnStartDrag"},
    {"Keys", "OnEnter; OnExit; OnKeyDown; OnKeyPress; OnKeyUp"},
    // What nearly every control publishes, in the library's order.
    {"Control", "Anchors; BiDiMode; Constraints; @Drag; Enabled; Font; ParentBiDiMode; "
                "ParentFont; ParentShowHint; PopupMenu; ShowHint; Visible"},
    {"WinControl", "@Control; Ctl3D; ParentCtl3D; TabOrder; TabStop"},
    {"ControlEvents", "OnClick; OnContextPopup; OnDblClick; @Dragging; @Mouse"},
    {"WinControlEvents", "@ControlEvents; @Keys"},
    // What every field publishes.
    {"FieldProps", "Alignment; AutoGenerateValue; Calculated; ConstraintErrorMessage; "
                   "CustomConstraint; DefaultExpression; DisplayLabel; DisplayWidth; EditMask; "
                   "FieldKind; FieldName; ImportedConstraint; Index; KeyFields; Lookup; "
                   "LookupCache; LookupDataSet; LookupKeyFields; LookupResultField; Origin; "
                   "ProviderFlags; ReadOnly; Required; Visible; OnChange; OnGetText; OnSetText; "
                   "OnValidate"},
};
// clang-format on

} // namespace

Table TypeTable() {
    return {Types, std::size(Types), nullptr, 0};
}

const GroupRow* Groups(size_t& count) {
    count = std::size(GroupRows);
    return GroupRows;
}

} // namespace host::catalogue

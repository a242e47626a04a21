#pragma once

#include "components/classdata/button_data.h"
#include "components/classdata/combo_box_data.h"
#include "components/classdata/common_dialog_data.h"
#include "components/classdata/edit_box_data.h"
#include "components/classdata/grid_design_data.h"
#include "components/classdata/group_box_data.h"
#include "components/classdata/label_data.h"
#include "components/classdata/progress_bar_data.h"
#include "components/classdata/timer_data.h"
#include "components/classdata/window_data.h"

namespace veltrano::tc {

// Property names of each class's data, in property order: what a definition
// may assign and what the dump prints.

template <typename Visitor>
void visitFields(classdata::WindowData& d, Visitor&& v) {
    v("Caption", d.Caption);
    v("BorderStyle", d.BorderStyle);
    v("BackColor", d.BackColor);
    v("BackPicture", d.BackPicture);
    v("BackPictureMode", d.BackPictureMode);
    v("BackSound", d.BackSound);
    v("SoundPlayMode", d.SoundPlayMode);
    v("ControlBox", d.ControlBox);
    v("MaxButton", d.MaxButton);
    v("MinButton", d.MinButton);
    v("StartPosition", d.StartPosition);
    v("Movable", d.Movable);
    v("Icon", d.Icon);
    v("EnterMovesFocus", d.EnterMovesFocus);
    v("EscCloses", d.EscCloses);
    v("F1OpensHelp", d.F1OpensHelp);
    v("HelpFile", d.HelpFile);
    v("HelpContext", d.HelpContext);
    v("ShowInTaskbar", d.ShowInTaskbar);
    v("DragAnywhere", d.DragAnywhere);
    v("Shape", d.Shape);
    v("AlwaysOnTop", d.AlwaysOnTop);
    v("KeepTitleActive", d.KeepTitleActive);
    v("WindowClassName", d.WindowClassName);
}

template <typename Visitor>
void visitFields(classdata::LabelData& d, Visitor&& v) {
    v("Caption", d.Caption);
    v("TextEffect", d.TextEffect);
    v("BorderStyle", d.BorderStyle);
    v("GradientBorderWidth", d.GradientBorderWidth);
    v("GradientBorderColor1", d.GradientBorderColor1);
    v("GradientBorderColor2", d.GradientBorderColor2);
    v("GradientBorderColor3", d.GradientBorderColor3);
    v("Font", d.Font);
    v("TextColor", d.TextColor);
    v("BackColor", d.BackColor);
    v("BackPicture", d.BackPicture);
    v("BackPictureMode", d.BackPictureMode);
    v("GradientBackground", d.GradientBackground);
    v("GradientBackColor1", d.GradientBackColor1);
    v("GradientBackColor2", d.GradientBackColor2);
    v("GradientBackColor3", d.GradientBackColor3);
    v("Alignment", d.Alignment);
    v("WordWrap", d.WordWrap);
    v("VerticalAlignment", d.VerticalAlignment);
    v("DataSource", d.DataSource);
    v("DataColumn", d.DataColumn);
}

template <typename Visitor>
void visitFields(classdata::GroupBoxData& d, Visitor&& v) {
    v("Caption", d.Caption);
    v("Alignment", d.Alignment);
    v("TextColor", d.TextColor);
    v("BackColor", d.BackColor);
    v("Font", d.Font);
}

template <typename Visitor>
void visitFields(classdata::ButtonData& d, Visitor&& v) {
    v("ButtonPicture", d.ButtonPicture);
    v("ButtonType", d.ButtonType);
    v("Caption", d.Caption);
    v("Alignment", d.Alignment);
    v("VerticalAlignment", d.VerticalAlignment);
    v("Font", d.Font);
}

template <typename Visitor>
void visitFields(classdata::EditBoxData& d, Visitor&& v) {
    v("Text", d.Text);
    v("BorderStyle", d.BorderStyle);
    v("TextColor", d.TextColor);
    v("BackColor", d.BackColor);
    v("Font", d.Font);
    v("HideSelection", d.HideSelection);
    v("MaxLength", d.MaxLength);
    v("MultiLine", d.MultiLine);
    v("ScrollBars", d.ScrollBars);
    v("Alignment", d.Alignment);
    v("InputMode", d.InputMode);
    v("PasswordChar", d.PasswordChar);
    v("CaseConversion", d.CaseConversion);
    v("SpinMode", d.SpinMode);
    v("SpinMin", d.SpinMin);
    v("SpinMax", d.SpinMax);
    v("SelStart", d.SelStart);
    v("SelLength", d.SelLength);
    v("DataSource", d.DataSource);
    v("DataColumn", d.DataColumn);
}

template <typename Visitor>
void visitFields(classdata::ComboBoxData& d, Visitor&& v) {
    v("ComboStyle", d.ComboStyle);
    v("Text", d.Text);
    v("MaxLength", d.MaxLength);
    v("SelStart", d.SelStart);
    v("SelLength", d.SelLength);
    v("Sorted", d.Sorted);
    v("ItemHeightExtra", d.ItemHeightExtra);
    v("TextColor", d.TextColor);
    v("BackColor", d.BackColor);
    v("Font", d.Font);
    v("CurrentSelection", d.CurrentSelection);
    v("ItemTexts", d.ItemTexts);
    v("ItemData", d.ItemData);
    v("DataSource", d.DataSource);
    v("DataColumn", d.DataColumn);
    v("DataBindingOption", d.DataBindingOption);
}

template <typename Visitor>
void visitFields(classdata::ProgressBarData& d, Visitor&& v) {
    v("BorderStyle", d.BorderStyle);
    v("Orientation", d.Orientation);
    v("BarStyle", d.BarStyle);
    v("Minimum", d.Minimum);
    v("Maximum", d.Maximum);
    v("Position", d.Position);
}

template <typename Visitor>
void visitFields(classdata::TimerData& d, Visitor&& v) {
    v("Interval", d.Interval);
}

template <typename Visitor>
void visitFields(classdata::CommonDialogData& d, Visitor&& v) {
    v("DialogType", d.DialogType);
    v("Title", d.Title);
    v("FileName", d.FileName);
    v("Filter", d.Filter);
    v("FilterIndex", d.FilterIndex);
    v("InitialDir", d.InitialDir);
    v("DefaultExt", d.DefaultExt);
    v("CreatePrompt", d.CreatePrompt);
    v("FileMustExist", d.FileMustExist);
    v("OverwritePrompt", d.OverwritePrompt);
    v("PathMustExist", d.PathMustExist);
    v("NoChangeDir", d.NoChangeDir);
    v("Color", d.Color);
    v("Bold", d.Bold);
    v("Italic", d.Italic);
    v("StrikeOut", d.StrikeOut);
    v("Underline", d.Underline);
    v("FontName", d.FontName);
    v("FontSize", d.FontSize);
    v("HelpFile", d.HelpFile);
    v("HelpCommand", d.HelpCommand);
    v("HelpContext", d.HelpContext);
}

template <typename Visitor>
void visitFields(classdata::GridDesignData& d, Visitor&& v) {
    v("gridLineColor", d.gridLineColor);
    v("cellBackColor", d.cellBackColor);
    v("cellTextColor", d.cellTextColor);
    v("focusCellColor", d.focusCellColor);
    v("gridLines", d.gridLines);
    v("rowsResizable", d.rowsResizable);
    v("columnsResizable", d.columnsResizable);
    v("rowHeight", d.rowHeight);
    v("columnWidth", d.columnWidth);
    v("rowCount", d.rowCount);
    v("columnCount", d.columnCount);
    v("fixedRowCount", d.fixedRowCount);
    v("fixedColumnCount", d.fixedColumnCount);
    v("editable", d.editable);
    v("printDialog", d.printDialog);
    v("selectionAllowed", d.selectionAllowed);
    v("storedOption", d.storedOption);
    v("backColor", d.backColor);
    v("storedSetting", d.storedSetting);
    v("frameSetting", d.frameSetting);
    v("enterMode", d.enterMode);
    v("fixedCellClickSelects", d.fixedCellClickSelects);
    v("wholeRowSelection", d.wholeRowSelection);
    v("selectionBackColor", d.selectionBackColor);
    v("storedFlag", d.storedFlag);
    v("gridLineWidth", d.gridLineWidth);
    v("selectionTextColor", d.selectionTextColor);
    v("showZeroValues", d.showZeroValues);
    v("extraColor", d.extraColor);
    v("borderStyle", d.borderStyle);
}

}  // namespace veltrano::tc

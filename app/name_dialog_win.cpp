#include "app/name_dialog_win.h"

#include "app/file_selections.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/message_dialog.h"
#include "platform/toolkit/speed_button.h"

namespace {

constexpr int32_t kGlyphSize = 16;

// The buttons' glyphs, drawn here rather than shipped as pictures: two
// images side by side, the mark in its colour and in grey for a disabled
// button, on fuchsia that the button shows see-through.
template <typename DrawMark>
void SetTwoImageGlyph(TSpeedButton& button, TColor color, DrawMark draw_mark) {
  TBitmap glyph(2 * kGlyphSize, kGlyphSize);
  TCanvas& canvas = glyph.Canvas();
  canvas.Brush().SetColor(clFuchsia);
  canvas.FillRect(TRect(0, 0, 2 * kGlyphSize, kGlyphSize));
  canvas.Pen().SetWidth(2);
  canvas.Pen().SetColor(color);
  draw_mark(canvas, 0);
  canvas.Pen().SetColor(clGray);
  draw_mark(canvas, kGlyphSize);
  button.SetGlyph(glyph);
  button.SetNumGlyphs(2);
}

void DrawCheckMark(TCanvas& canvas, int32_t left) {
  canvas.Polyline({TPoint(left + 3, 8), TPoint(left + 6, 11), TPoint(left + 12, 4)});
}

void DrawCross(TCanvas& canvas, int32_t left) {
  canvas.MoveTo(left + 4, 4);
  canvas.LineTo(left + 12, 12);
  canvas.MoveTo(left + 12, 4);
  canvas.LineTo(left + 4, 12);
}

}  // namespace

TfmSpeichernLaden::TfmSpeichernLaden(TComponent* owner) : TForm(owner) {
  SetName("fmSpeichernLaden");
  SetBorderStyle(bsDialog);
  SetClientSize(522, 80);
  SetPosition(poScreenCenter);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);

  laName = new TLabel(this);
  laName->SetName("laName");
  laName->SetParent(this);
  laName->SetLeft(8);
  laName->SetTop(16);
  laName->SetCaption("Name");

  cbName = new TComboBox(this);
  cbName->SetName("cbName");
  cbName->SetParent(this);
  cbName->SetBounds(64, 11, 445, 21);

  sbOK = new TSpeedButton(this);
  sbOK->SetName("sbOK");
  sbOK->SetParent(this);
  sbOK->SetBounds(272, 48, 117, 22);
  sbOK->SetFlat(true);
  SetTwoImageGlyph(*sbOK, clGreen, DrawCheckMark);
  sbOK->OnClick = [this](TObject* sender) { sbOKClick(sender); };

  sbCancel = new TSpeedButton(this);
  sbCancel->SetName("sbCancel");
  sbCancel->SetParent(this);
  sbCancel->SetBounds(392, 48, 117, 22);
  sbCancel->SetFlat(true);
  SetTwoImageGlyph(*sbCancel, clMaroon, DrawCross);
  sbCancel->SetCaption("Abbrechen");
  sbCancel->OnClick = [this](TObject* sender) { sbCancelClick(sender); };

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TfmSpeichernLaden::FormCreate(TObject*) { selected_name_.clear(); }

void TfmSpeichernLaden::SetMode(const std::string& mode) {
  mode_ = mode;
  if (mode == "SAVE") {
    SetCaption("Speichern unter...");
    sbOK->SetCaption("Speichern");
    cbName->SetStyle(csDropDown);
  } else if (mode == "DELETE") {
    SetCaption("Löschen Auswahl...");
    sbOK->SetCaption("Löschen");
    cbName->SetStyle(csDropDownList);
  } else {
    SetCaption("Laden...");
    sbOK->SetCaption("Laden");
    cbName->SetStyle(csDropDownList);
  }
  cbName->SetText("");
  cbName->Items().Clear();
  stored_ = SavedSelections();
  for (const SavedSelection& entry : stored_)
    cbName->Items().Add(entry.name);
}

void TfmSpeichernLaden::sbOKClick(TObject*) {
  const std::string name(TrimBlanks(cbName->Text()));
  // Only saving may bring a new name; loading and deleting pick a stored
  // one, which is taken as it stands.
  const std::string problem =
      mode_ == "SAVE" ? SelectionSaveProblem(name, stored_) : name.empty() ? kNoSelectionNameMessage : "";
  if (!problem.empty()) {
    MessageDlg(problem, mtError, {mbOK}, 0);
    return;
  }
  selected_name_ = name;
  SetModalResult(mrOk);
}

void TfmSpeichernLaden::sbCancelClick(TObject*) { SetModalResult(mrCancel); }

std::string AskSelectionName(const std::string& mode) {
  TfmSpeichernLaden* dialog = nullptr;
  Application->CreateForm(dialog);
  struct FreeOnExit {
    TfmSpeichernLaden* form;
    ~FreeOnExit() { form->Free(); }
  } free_on_exit{dialog};
  dialog->SetMode(mode);
  if (dialog->ShowModal() != mrOk)
    return {};
  return dialog->SelectedName();
}

#include "app/name_dialog_win.h"

#include "app/file_selections.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/message_dialog.h"
#include "platform/toolkit/speed_button.h"

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
  sbOK->SetNumGlyphs(2);
  sbOK->OnClick = [this](TObject* sender) { sbOKClick(sender); };

  sbCancel = new TSpeedButton(this);
  sbCancel->SetName("sbCancel");
  sbCancel->SetParent(this);
  sbCancel->SetBounds(392, 48, 117, 22);
  sbCancel->SetFlat(true);
  sbCancel->SetNumGlyphs(2);
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
  for (const std::string& name : SavedSelectionNames())
    cbName->Items().Add(name);
}

void TfmSpeichernLaden::sbOKClick(TObject*) {
  const std::string name(TrimBlanks(cbName->Text()));
  // A typed name must be one that the INI file can hold as a key; picked
  // names came from there.
  if (const std::string problem = SelectionNameProblem(name); !problem.empty()) {
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

#pragma once
// The small modal dialog that asks for the name of a saved file selection,
// in one of three modes: "SAVE" (a new name may be typed), "LOAD" and
// "DELETE" (a stored name is picked).

#include <string>
#include <vector>

#include "app/file_selections.h"
#include "platform/toolkit/form.h"

class TComboBox;
class TLabel;
class TSpeedButton;

class TfmSpeichernLaden : public TForm {
 public:
  static constexpr TClass kClass{"TfmSpeichernLaden", &TForm::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TfmSpeichernLaden(TComponent* owner);

  // Captions, the combo's style and the stored names for `mode`.
  void SetMode(const std::string& mode);
  const std::string& Mode() const { return mode_; }
  const std::string& SelectedName() const { return selected_name_; }

  void FormCreate(TObject* sender);
  void sbOKClick(TObject* sender);
  void sbCancelClick(TObject* sender);

  TLabel* laName = nullptr;
  TComboBox* cbName = nullptr;
  TSpeedButton* sbOK = nullptr;
  TSpeedButton* sbCancel = nullptr;

 private:
  std::string mode_;
  std::string selected_name_;
  // The selections stored when the dialog was prepared.
  std::vector<SavedSelection> stored_;
};

// Shows the dialog in `mode`, owned by the application object and freed
// when it ends; the accepted name, or empty when the user cancelled.
std::string AskSelectionName(const std::string& mode);

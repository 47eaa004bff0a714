#pragma once
// Message dialogs: a message with an icon for its kind (warning, error,
// information, confirmation or none) and a row of buttons, shown modally
// over the program's windows and answered by a button, by Enter (the
// default button), by Esc (the cancelling button) or by a button's
// underlined letter. The dialog is a real dialog of the system's dialog
// manager, so keyboard navigation and focus are the platform's own.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/object.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/types.h"

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp,
  mbClose,
};
using TMsgDlgButtons = TSmallSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button gives.
TModalResult ModalResultOf(TMsgDlgBtn button);

class TMessageDialog : public TObject {
 public:
  static constexpr TClass kClass{"TMessageDialog", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TMessageDialog(std::string message, TMsgDlgType type, TMsgDlgButtons buttons);
  ~TMessageDialog() override;

  const std::string& Message() const { return message_; }
  TMsgDlgType DialogType() const { return type_; }
  TMsgDlgButtons Buttons() const { return buttons_; }

  // The window title: by default the kind's name ("Warning", "Error",
  // "Information", "Confirm"), or the application's title for mtCustom.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  int32_t HelpContext() const { return help_context_; }
  void SetHelpContext(int32_t context) { help_context_ = context; }
  // The button that Enter presses: OK, else Yes, else the first button.
  TMsgDlgBtn DefaultButton() const { return default_button_; }
  // Ignored for a button the dialog does not have.
  void SetDefaultButton(TMsgDlgBtn button);
  // Where the window's top-left corner goes; by default it is centred on
  // the screen's work area.
  void SetPosition(int32_t left, int32_t top);

  // Shows the dialog until it is answered; every other window of this
  // thread is disabled meanwhile. Esc and the close box give the result of
  // Cancel, else No, else OK, else mrCancel.
  TModalResult ShowModal();
  // The dialog's window while it is shown, null otherwise.
  HWND Handle() const { return window_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void BuildWindow(HWND window);
  TModalResult CancelResult() const;

  std::string message_;
  TMsgDlgType type_;
  TMsgDlgButtons buttons_;
  std::string caption_;
  int32_t help_context_ = 0;
  TMsgDlgBtn default_button_ = mbOK;
  bool positioned_ = false;
  TPoint position_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
};

std::unique_ptr<TMessageDialog> CreateMessageDialog(const std::string& message, TMsgDlgType type,
                                                    TMsgDlgButtons buttons);
// Shows a message dialog centred on the screen and returns its result.
TModalResult MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                        int32_t help_context = 0);
// The same with the window's top-left corner at (x, y) in screen
// coordinates; negative values centre it on that axis.
TModalResult MessageDlgPos(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                           int32_t help_context, int32_t x, int32_t y);
// The message with an OK button, titled with the application's title.
void ShowMessage(const std::string& message);

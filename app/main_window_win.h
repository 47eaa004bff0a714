#pragma once
// The main window: the printer combo box and the print button on the top
// panel, the file list in the middle, the progress bar at the bottom, and
// the "&Datei" menu with the saved file selections.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/print_run.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/form.h"

class FileList;
class TButton;
class TComboBox;
class TDataSource;
class TImage;
class TlxGrid;
class TlxGridDBColumn;
class TlxGridDBTableView;
class TlxGridLevel;
class TLabel;
class TMainMenu;
class TMenuItem;
class TPanel;
class TProgressBar;
class TprPrinterList;

class TfmMain : public TForm {
 public:
  static constexpr TClass kClass{"TfmMain", &TForm::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TfmMain(TComponent* owner);
  ~TfmMain() override;

  // Published handlers.
  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void btDruckenClick(TObject* sender);
  void pmDateienauswahlspeichernClick(TObject* sender);
  void pmDateienauswahlladenClick(TObject* sender);
  void pmDateienauswahlloeschenClick(TObject* sender);
  void pmBeendenClick(TObject* sender);

  // The selected printer's names: the platform printer at the combo's index
  // minus one (-1 the default printer; no selection gives -2, an error).
  TPrinterInfo GetPrinterInfo();

  // Components, named as the window's description names them.
  TPanel* paDrucken = nullptr;
  TLabel* laDrucker = nullptr;
  TComboBox* cbPrinterSelect = nullptr;
  TButton* btDrucken = nullptr;
  TImage* Image1 = nullptr;
  TlxGrid* lxGrid = nullptr;
  TlxGridLevel* lxGridLevel = nullptr;
  TlxGridDBTableView* lxGridDBDateien = nullptr;
  TlxGridDBColumn* lxGridDBDateienSortkey = nullptr;
  TlxGridDBColumn* lxGridDBDateienDatei = nullptr;
  TlxGridDBColumn* lxGridDBDateienGroesse = nullptr;
  TlxGridDBColumn* lxGridDBDateienDatum = nullptr;
  TProgressBar* pb = nullptr;
  TDataSource* dsDateien = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* pmDatei = nullptr;
  TMenuItem* pmDateienauswahlspeichern = nullptr;
  TMenuItem* pmDateienauswahlladen = nullptr;
  TMenuItem* pmDateienauswahlloeschen = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* pmBeenden = nullptr;

  FileList& Files() { return *file_list_; }
  int32_t PauseToDestroy() const { return pause_to_destroy_; }
  // The text a reader window's title must contain to be closed after each
  // print request; read from the settings when the window is created.
  const std::string& PdfReaderTitle() const { return pdf_reader_title_; }
  int32_t NextSortkey() const;
  const TprPrinterList* PrinterList() const { return printer_list_.get(); }

 protected:
  void WMDropFiles(TMessage& message) override;

 private:
  void BuildPanel();
  void BuildFileList();
  void BuildGrid();
  TlxGridDBColumn* AddGridColumn(const char* name, const char* field_name, int32_t width);
  void BuildMenu();
  void FillPrinterCombo();
  void ReadSettings();
  // The run over the listed files in the view's order; the rows it finished
  // leave the list, refused ones stay with one message naming them.
  void PrintListedFiles(const TPrinterInfo& printer);
  // The values of `column` in the rows, in the grid's current order (the
  // order the user sees, sorted or not).
  std::vector<Variant> ListedValues(const TlxGridDBColumn& column);
  // The "Datei" values of the rows in the grid's order.
  std::vector<std::string> ListedPaths();
  // The "Sortkey" values in the same order: what names a row.
  std::vector<int32_t> ListedSortkeys();

  std::unique_ptr<FileList> file_list_;
  std::unique_ptr<TprPrinterList> printer_list_;
  int32_t pause_to_destroy_ = 0;
  std::string pdf_reader_title_;
};

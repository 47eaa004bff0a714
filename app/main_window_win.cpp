#include "app/main_window_win.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "app/config.h"
#include "app/file_list.h"
#include "app/file_selections.h"
#include "app/form_position_win.h"
#include "app/name_dialog_win.h"
#include "app/shell_win.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_navigator_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_options_win.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/message_dialog.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/picture.h"
#include "platform/toolkit/printers.h"
#include "platform/toolkit/progress_bar.h"
#include "printers/printer_list.h"

namespace {

void ShowErrorBox(const std::string& text) { MessageDlg(text, mtError, {mbOK}, 0); }

void LogPlainMessage(const std::string& text) {
  if (TLogWireLogger* logger = GlobalLogWireLogger())
    logger->SendMsg(text);
}

std::string TextOf(const Variant& value) { return value.IsNull() ? std::string() : value.AsString(); }

// The program's icon, shown at the panel's right edge. A test program has
// none; the picture then stays empty.
void ShowProgramIcon(TImage& image) {
  auto icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  if (icon == nullptr)
    return;
  image.Picture().Icon().SetHandle(icon);
}

}  // namespace

TfmMain::TfmMain(TComponent* owner) : TForm(owner) {
  SetName("fmMain");
  SetCaption("Lumar PDF-Printer");
  SetBounds(271, 222, 674, 301);
  SetBorderWidth(4);
  SetBorderStyle(bsSizeable);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  BuildPanel();
  BuildFileList();
  BuildMenu();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
}

TfmMain::~TfmMain() = default;

void TfmMain::BuildPanel() {
  paDrucken = new TPanel(this);
  paDrucken->SetName("paDrucken");
  paDrucken->SetParent(this);
  paDrucken->SetAlign(alTop);
  paDrucken->SetHeight(69);
  paDrucken->SetBevelOuter(bvLowered);
  paDrucken->SetCaption("");

  laDrucker = new TLabel(this);
  laDrucker->SetName("laDrucker");
  laDrucker->SetParent(paDrucken);
  laDrucker->SetLeft(4);
  laDrucker->SetTop(8);
  laDrucker->SetCaption("Drucker");

  cbPrinterSelect = new TComboBox(this);
  cbPrinterSelect->SetName("cbPrinterSelect");
  cbPrinterSelect->SetParent(paDrucken);
  cbPrinterSelect->SetStyle(csDropDownList);
  cbPrinterSelect->SetBounds(80, 4, 269, 21);

  btDrucken = new TButton(this);
  btDrucken->SetName("btDrucken");
  btDrucken->SetParent(paDrucken);
  btDrucken->SetBounds(5, 36, 344, 27);
  btDrucken->SetCaption("PDF Dateien drucken");
  btDrucken->OnClick = [this](TObject* sender) { btDruckenClick(sender); };

  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(paDrucken);
  Image1->SetAutoSize(true);
  ShowProgramIcon(*Image1);
  Image1->SetLeft(paDrucken->ClientWidth() - Image1->Width() - 8);
  Image1->SetTop(4);
  Image1->SetAnchors({akTop, akRight});
}

void TfmMain::BuildFileList() {
  pb = new TProgressBar(this);
  pb->SetName("pb");
  pb->SetParent(this);
  pb->SetAlign(alBottom);
  pb->SetHeight(16);

  file_list_ = std::make_unique<FileList>(this);
  dsDateien = new TDataSource(this);
  dsDateien->SetName("dsDateien");
  dsDateien->SetDataSet(file_list_->DataSet());

  BuildGrid();
}

void TfmMain::BuildGrid() {
  lxGrid = new TlxGrid(this);
  lxGrid->SetName("lxGrid");
  // The whole grid is laid out once, when it stands complete.
  lxGrid->BeginUpdate();
  TScopeExit laid_out([this] { lxGrid->EndUpdate(); });
  lxGrid->SetParent(this);
  lxGrid->SetAlign(alClient);
  lxGrid->LookAndFeel().SetKind(lfFlat);

  lxGridDBDateien = lxCreateGridView<TlxGridDBTableView>(this);
  lxGridDBDateien->SetName("lxGridDBDateien");
  lxGridDBDateien->SetParentComponent(lxGrid);
  lxGridDBDateien->DataController()->SetDataSource(dsDateien);
  lxGridDBDateien->DataController()->SetDetailKeyFieldNames("Datei");
  lxGridDBDateien->NavigatorButtons()->SetConfirmDelete(false);
  lxGridDBDateien->OptionsCustomize()->SetColumnFiltering(false);
  lxGridDBDateien->OptionsCustomize()->SetColumnGrouping(false);
  lxGridDBDateien->OptionsCustomize()->SetColumnMoving(false);
  lxGridDBDateien->OptionsData()->SetEditing(false);
  lxGridDBDateien->OptionsData()->SetInserting(false);
  lxGridDBDateien->OptionsSelection()->SetCellSelect(false);
  lxGridDBDateien->OptionsView()->SetColumnAutoWidth(true);
  lxGridDBDateien->OptionsView()->SetGroupByBox(false);

  lxGridDBDateienSortkey = AddGridColumn("lxGridDBDateienSortkey", "Sortkey", 46);
  lxGridDBDateienSortkey->SetCaption("Nr.");
  // "Datei" and "Datum" show their fields' names as captions.
  lxGridDBDateienDatei = AddGridColumn("lxGridDBDateienDatei", "Datei", 389);
  lxGridDBDateienGroesse = AddGridColumn("lxGridDBDateienGroesse", "Groesse", 114);
  lxGridDBDateienGroesse->SetCaption("Größe");
  lxGridDBDateienGroesse->SetPropertiesClass(&TlxCurrencyEditProperties::kClass);
  static_cast<TlxCurrencyEditProperties*>(lxGridDBDateienGroesse->Properties())->SetDisplayFormat("0,.###");
  lxGridDBDateienDatum = AddGridColumn("lxGridDBDateienDatum", "Datum", 107);
  lxGridDBDateienDatum->SetPropertiesClass(&TlxDateEditProperties::kClass);

  lxGridLevel = new TlxGridLevel(this);
  lxGridLevel->SetName("lxGridLevel");
  lxGridLevel->SetParentComponent(lxGrid);
  lxGridLevel->SetGridView(lxGridDBDateien);
}

TlxGridDBColumn* TfmMain::AddGridColumn(const char* name, const char* field_name, int32_t width) {
  TlxGridDBColumn* column = lxGridDBDateien->CreateColumn();
  column->SetName(name);
  column->DataBinding()->SetFieldName(field_name);
  column->SetWidth(width);
  return column;
}

void TfmMain::BuildMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  pmDatei = new TMenuItem(this);
  pmDatei->SetName("pmDatei");
  pmDatei->SetCaption("&Datei");
  MainMenu1->Items().Add(pmDatei);

  const auto add_item = [this](const char* name, const char* caption, const char* shortcut,
                               void (TfmMain::*handler)(TObject*)) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    if (shortcut != nullptr)
      item->SetShortCut(TextToShortCut(shortcut));
    if (handler != nullptr)
      item->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
    pmDatei->Add(item);
    return item;
  };
  pmDateienauswahlspeichern = add_item("pmDateienauswahlspeichern", "Dateiauswahl &speichern", "Ctrl+S",
                                       &TfmMain::pmDateienauswahlspeichernClick);
  pmDateienauswahlladen = add_item("pmDateienauswahlladen", "Dateienauswahl &laden", "Ctrl+L",
                                   &TfmMain::pmDateienauswahlladenClick);
  pmDateienauswahlloeschen = add_item("pmDateienauswahlloeschen", "&Dateienauswahl löschen", "Ctrl+D",
                                      &TfmMain::pmDateienauswahlloeschenClick);
  N1 = add_item("N1", "-", nullptr, nullptr);
  pmBeenden = add_item("pmBeenden", "&Beenden", "Ctrl+X", &TfmMain::pmBeendenClick);
  SetFormMenu(*this, MainMenu1);
}

int32_t TfmMain::NextSortkey() const { return file_list_->NextSortkey(); }

void TfmMain::FillPrinterCombo() {
  TStrings& items = cbPrinterSelect->Items();
  items.Clear();
  for (const std::string& name : printer_list_->Names()) {
    if (name != "Screen")
      items.Add(name);
  }
  cbPrinterSelect->SetItemIndex(0);
}

void TfmMain::FormCreate(TObject*) {
  printer_list_ = std::make_unique<TprPrinterList>();
  FillPrinterCombo();
  file_list_->Clear();
  DragAcceptFiles(Handle(), TRUE);
  ReadSettings();
}

void TfmMain::ReadSettings() {
  if (!OpenConfig())
    return;
  // A printer that is no longer installed leaves "Default" selected: with
  // no printer selected the print run could only fail.
  const int32_t stored = cbPrinterSelect->Items().IndexOf(ConfigReadStr("Drucker", "Name", ""));
  if (stored >= 0)
    cbPrinterSelect->SetItemIndex(stored);
  pdf_reader_title_ = ConfigReadStr("PDFReader", "PDFReaderTitel", "Adobe Reader");
  pause_to_destroy_ = ReadPauseToDestroy();
  LoadLayouts();
  CloseConfig();
  RestoreFormPosition(*this);
}

void TfmMain::FormDestroy(TObject*) {
  if (!OpenConfig())
    return;
  SaveFormPosition(*this);
  ConfigWriteStr("Drucker", "Name", cbPrinterSelect->ItemIndex() >= 0 ? cbPrinterSelect->Text() : "");
  SaveLayouts();
  CloseConfig();
}

void TfmMain::WMDropFiles(TMessage& message) {
  const std::vector<std::string> names = TakeDroppedFileNames(reinterpret_cast<HDROP>(message.WParam));
  try {
    file_list_->AddListedFiles(names);
  } catch (const Exception& error) {
    ShowErrorBox("Fehler: " + error.Message());
  }
  message.Result = 0;
}

TPrinterInfo TfmMain::GetPrinterInfo() {
  TPrinter* printer = Printer();
  const int32_t selected = cbPrinterSelect->ItemIndex();
  printer->SetPrinterIndex(selected < 0 ? -2 : selected - 1);
  TPrinterInfo info;
  printer->GetPrinter(info.device, info.driver, info.port);
  return info;
}

void TfmMain::btDruckenClick(TObject*) {
  try {
    PrintListedFiles(GetPrinterInfo());
  } catch (const Exception& error) {
    ShowErrorBox("Fehler : " + error.Message());
  }
}

void TfmMain::PrintListedFiles(const TPrinterInfo& printer) {
  TlxGridDBDataController* controller = lxGridDBDateien->DataController();
  TPrintRunRequest request;
  request.parameters = PrintToParameters(printer);
  request.pause_to_destroy = pause_to_destroy_;
  request.reader_title = pdf_reader_title_;
  request.on_progress = [this](int32_t) { pb->StepBy(1); };
  request.log = LogPlainMessage;
  std::vector<int32_t> sortkeys;

  TPrintRunResult result;
  {
    TUpdateScope update(*controller);
    // Read in the grid's order, so a list sorted by a header prints sorted.
    request.paths = ListedPaths();
    sortkeys = ListedSortkeys();
    pb->SetPosition(0);
    pb->SetMax(static_cast<int32_t>(request.paths.size()));
    const std::unique_ptr<IPrintRunDesktop> desktop = CreateSystemPrintRunDesktop(Handle());
    result = RunPrint(*desktop, request);
    pb->SetPosition(0);
  }
  if (result.AllFinished()) {
    file_list_->Clear();
    return;
  }
  // Pressing the button again must print only what is left.
  std::vector<int32_t> finished;
  for (size_t index : result.finished)
    finished.push_back(sortkeys[index]);
  file_list_->DeleteRows(finished);
  ShowErrorBox(PrintFailureMessage(result.failures));
}

std::vector<Variant> TfmMain::ListedValues(const TlxGridDBColumn& column) {
  std::vector<Variant> values;
  TlxGridViewData* view_data = lxGridDBDateien->GetViewData();
  const int32_t count = lxGridDBDateien->DataController()->GetRecordCount();
  values.reserve(static_cast<size_t>(count));
  for (int32_t row = 0; row < count; ++row)
    values.push_back(view_data->Records(row)->GetValue(column.Index()));
  return values;
}

std::vector<std::string> TfmMain::ListedPaths() {
  std::vector<std::string> paths;
  for (const Variant& value : ListedValues(*lxGridDBDateienDatei))
    paths.push_back(TextOf(value));
  return paths;
}

std::vector<int32_t> TfmMain::ListedSortkeys() {
  std::vector<int32_t> sortkeys;
  for (const Variant& value : ListedValues(*lxGridDBDateienSortkey))
    sortkeys.push_back(value.AsInteger());
  return sortkeys;
}

void TfmMain::pmDateienauswahlspeichernClick(TObject*) {
  const std::string name = AskSelectionName("SAVE");
  if (name.empty())
    return;
  const SaveSelectionResult result = SaveSelection(name, ListedPaths());
  if (!result.refusal.empty())
    ShowErrorBox(result.refusal);
}

void TfmMain::pmDateienauswahlladenClick(TObject*) {
  const std::string name = AskSelectionName("LOAD");
  if (name.empty())
    return;
  // A selection that cannot be read leaves the list as it is.
  const std::optional<std::vector<std::string>> paths = LoadSelection(name);
  if (paths)
    file_list_->ReplaceWithListedFiles(*paths);
}

void TfmMain::pmDateienauswahlloeschenClick(TObject*) {
  const std::string name = AskSelectionName("DELETE");
  if (name.empty())
    return;
  DeleteSelection(name);
}

void TfmMain::pmBeendenClick(TObject*) { Close(); }

#include "gui/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStatusBar>
#include <QClipboard>
#include <QUndoStack>

#include "gui/qtglue.h"
#include "gui/chartimages.h"
#include "gui/detailsdialog.h"
#include "gui/uncertaintydialog.h"
#include "logic/conformity.h"
#include "logic/readings.h"
#include "logic/differencetable.h"
#include "gui/filedialogs.h"
#include "gui/gridview.h"
#include "logic/messages.h"
#include "gui/messenger.h"
#include "logic/textrules.h"
#include "io/datafile.h"
#include "io/fileidentity.h"
#include "io/spectraresults.h"
#include "gui/qtprinting.h"
#include "io/report.h"
#include "gui/aboutwindow.h"
#include "logic/captions.h"
#include "logic/tooltips.h"
#include "logic/windowplaces.h"
#include "logic/workbooktexts.h"
#include "io/workbook.h"
#include "io/workbookreader.h"
#include "gui/differencewindow.h"
#include "gui/helpwindow.h"
#include "gui/logo.h"
#include "gui/numberingdialog.h"
#include "gui/qttranslations.h"
#include "gui/quickentry.h"
#include "gui/spectradialog.h"

namespace tintavis {
namespace {

struct Place {
  int left, top, width, height;
};

// Positions in the client area below the menu bar (inside a group box: relative to it).
constexpr Place kGroupBox1 = {11, 19, 216, 41};
constexpr Place kRadioButton1 = {12, 14, 96, 17};
constexpr Place kRadioButton2 = {110, 14, 100, 17};
constexpr Place kNomMuestra = {24, 93, 93, 21};
constexpr Place kEspesor = {175, 93, 41, 21};
constexpr Place kReferido = {175, 133, 41, 21};
constexpr Place kGroupBox2 = {322, 19, 374, 96};
constexpr int kAbsorbanceTop = 42;
constexpr int kAbsorbanceLeft[4] = {19, 109, 199, 287};
constexpr int kAbsorbanceWidth[4] = {68, 68, 67, 68};
constexpr int kAbsorbanceLabelLeft[4] = {36, 128, 218, 304};
constexpr int kAbsorbanceLabelTop = 24;
constexpr Place kButton1 = {457, 102, 99, 25};
constexpr Place kCalcular = {951, 103, 75, 25};
constexpr Place kLogo = {793, 25, 110, 105};

struct LabelPlace {
  const char* name;
  int left, top;
};
// The headings over the grid, the charts and the swatch: panels and their labels.
constexpr const char* kHeadingPanels[3] = {"Panel2", "Panel3", "Panel4"};
constexpr const char* kHeadingLabels[3] = {"Label7", "Label8", "Label11"};

constexpr LabelPlace kLabels[] = {{"Label6", 20, 76},  {"Label4", 151, 76}, {"Label5", 220, 97},
                                  {"Label9", 148, 116}, {"Label10", 220, 137}};

QString Text(captions::Target target, const char* name) { return ToQString(captions::StartUp(target, name)); }

QString MainText(const char* name) { return Text(captions::Target::MainWidget, name); }

// A menu shows an action's first key on its own; an action with more keys has them all after a
// tab in its text, which the menu draws as the item's key column.
QString WithEveryKey(const QString& text, const QAction& action) {
  const QList<QKeySequence> keys = action.shortcuts();
  if (keys.size() < 2) return text;
  return text + u'\t' + QKeySequence::listToString(keys, QKeySequence::NativeText);
}

void Put(QWidget* w, const Place& p) { w->setGeometry(p.left, p.top, p.width, p.height); }
void Put(QWidget* w, const PixelBox& p) { w->setGeometry(p.left, p.top, p.width, p.height); }

// The rows of a data file with the numbers the reader took from it.
// The opened rows with the numbers the reader found in each of them.
std::vector<StoredSample> OpenedSamples(const DataFileContent& content) {
  std::vector<StoredSample> samples;
  samples.reserve(content.rows.size());
  for (std::size_t i = 0; i < content.rows.size(); ++i) samples.push_back(OpenedSample(content.rows[i], content.values[i]));
  return samples;
}

QLabel* PlacedLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      qtTexts_(std::make_unique<QtTranslations>()),
      separator_(ChooseDecimalSeparator(QLocale::system().decimalPoint().toStdString())) {
  // Qt's own texts start in Spanish with the program's.
  qtTexts_->Apply(language_);
  setObjectName("Form1");
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setFont(SansSerifFont(kWindowFontPixels));
  // Outer size 1140 x 713 with an ordinary frame; the window opens maximised.
  resize(1124, 674);
  uncertainty_ = UncertaintyDialog::Remembered(separator_);
  // The charts are drawn in the screen's own pixels.
  charts_.SetScale(devicePixelRatioF(), 1.0);
  BuildControls();
  BuildMenus();
  statusBar()->setObjectName("StatusBar1");
  statusBar()->setSizeGripEnabled(true);
  DrawEmptyCharts();
}

MainWindow::~MainWindow() {
  // Children outlive the members they point into: the stack's last signals and the
  // model's view of the store go before the store does.
  disconnect(undoStack_, nullptr, this, nullptr);
  delete undoStack_;
  delete gridView_;
  delete gridModel_;
}

QAbstractItemModel& MainWindow::GridItemModel() { return *gridModel_; }

void MainWindow::BuildControls() {
  // The controls stand on a client that grows with the window and scrolls once the window is
  // too small for them.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("ClientScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  client_ = new QWidget;
  client_->setObjectName("Client");
  client_->setMinimumSize(kSmallestClient.width, kSmallestClient.height);
  scroll->setWidget(client_);
  setCentralWidget(scroll);

  wineTypeBox_ = new QGroupBox(MainText("GroupBox1"), client_);
  wineTypeBox_->setObjectName("GroupBox1");
  Put(wineTypeBox_, kGroupBox1);
  redRose_ = new QRadioButton(MainText("RadioButton1"), wineTypeBox_);
  redRose_->setObjectName("RadioButton1");
  Put(redRose_, kRadioButton1);
  redRose_->setChecked(true);
  whiteBrandy_ = new QRadioButton(MainText("RadioButton2"), wineTypeBox_);
  whiteBrandy_->setObjectName("RadioButton2");
  Put(whiteBrandy_, kRadioButton2);

  for (const LabelPlace& l : kLabels) {
    const bool unit = std::string_view(l.name) == "Label5" || std::string_view(l.name) == "Label10";
    PlacedLabel(client_, l.name, unit ? QStringLiteral("mm") : MainText(l.name), l.left, l.top);
  }

  auto edit = [this](QWidget* parent, const char* name, const Place& p) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    Put(e, p);
    e->installEventFilter(this);
    return e;
  };
  nameField_ = edit(client_, "NomMuestra", kNomMuestra);
  measurementPathField_ = edit(client_, "Espesor", kEspesor);
  resultPathField_ = edit(client_, "referido", kReferido);

  auto* groupBox2 = new QGroupBox(MainText("GroupBox2"), client_);
  groupBox2->setObjectName("GroupBox2");
  Put(groupBox2, kGroupBox2);
  const char* absorbanceNames[4] = {"PrimLong", "SegLong", "TercLong", "CuartLong"};
  const char* wavelengthLabels[4] = {"Label1", "Label2", "Label3", "Label12"};
  const char* wavelengths[4] = {"450 nm", "520 nm", "570 nm", "630 nm"};
  for (int k = 0; k < 4; ++k) {
    PlacedLabel(groupBox2, wavelengthLabels[k], QString::fromLatin1(wavelengths[k]), kAbsorbanceLabelLeft[k],
                kAbsorbanceLabelTop);
    absorbanceFields_[k] = edit(groupBox2, absorbanceNames[k], {kAbsorbanceLeft[k], kAbsorbanceTop, kAbsorbanceWidth[k], 21});
  }

  quickEntryButton_ = new QPushButton(MainText("Button1"), client_);
  quickEntryButton_->setObjectName("Button1");
  Put(quickEntryButton_, kButton1);
  quickEntryButton_->setAutoDefault(true);  // Enter on the focused button presses it
  connect(quickEntryButton_, &QPushButton::clicked, this, &MainWindow::ShowQuickEntry);

  calculateButton_ = new QPushButton(MainText("Calcular"), client_);
  calculateButton_->setObjectName("Calcular");
  Put(calculateButton_, kCalcular);
  QFont bold = calculateButton_->font();
  bold.setBold(true);
  calculateButton_->setFont(bold);
  calculateButton_->setDefault(true);
  calculateButton_->setFocusPolicy(Qt::ClickFocus);  // not a tab stop, but takes the focus when given
  connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::Calculate);

  auto* logo = new QLabel(client_);
  logo->setObjectName("Image1");
  Put(logo, kLogo);
  logo->setPixmap(LogoForBox(QSize(kLogo.width, kLogo.height)));
  logo->setAlignment(Qt::AlignCenter);

  const MainLayout atStart = GrownMainLayout(kControlsBlock);
  for (int k = 0; k < 3; ++k) {
    auto* panel = new QFrame(client_);
    panel->setObjectName(kHeadingPanels[k]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Put(panel, atStart.headings[k]);
    auto* label = new QLabel(MainText(kHeadingLabels[k]), panel);
    label->setObjectName(kHeadingLabels[k]);
    label->setFont(bold);
    CentreHeading(label);
  }

  undoStack_ = new QUndoStack(this);
  // The grid is unsaved exactly while the stack is away from its saved state.
  // The caption keeps its own text: no "*" is added to it.
  connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { session_.unsavedSamples = !clean; });
  gridModel_ = new GridModel(session_.store, separator_, this);
  gridView_ = new GridView(client_);
  gridView_->setObjectName("Resultados1");
  gridView_->setModel(gridModel_);
  QFont italic = gridView_->font();
  italic.setItalic(true);
  gridModel_->SetEditedFont(italic);
  Put(gridView_, kGridBox);
  gridView_->horizontalHeader()->resizeSection(0, ResultsGrid::kNumberWidth);
  gridView_->horizontalHeader()->resizeSection(1, ResultsGrid::kNameWidth);
  for (int c = 2; c < kGridColumns; ++c) gridView_->horizontalHeader()->resizeSection(c, ResultsGrid::kValueWidth);
  connect(gridView_, &GridView::cellSelected, this, &MainWindow::RedisplaySelectedRow);
  connect(gridView_, &GridView::deleteRequested, this, &MainWindow::DeleteSelectedRows);
  connect(gridView_, &GridView::copyRequested, this, &MainWindow::CopySelectedCells);
  connect(gridModel_, &GridModel::cellEditStarting, this, [this] { editBefore_ = session_.store.Snapshot(); });
  connect(gridModel_, &GridModel::cellEdited, this, [this](int row) {
    if (session_.failedRedisplayRow == row) session_.failedRedisplayRow = 0;
    Record(GridAction::EditCell, std::move(editBefore_));
  });
  // Shown after the edit has ended: a box raised while the editor commits would take its focus
  // and make it commit again.
  connect(
      gridModel_, &GridModel::editRefused, this,
      [this](const QString& text) { ShowMessage({MessageDisplay::ErrorDisplay, ToStdString(text)}); },
      Qt::QueuedConnection);

  auto* plotFrame = new QFrame(client_);
  plotFrame->setObjectName("Panel5");
  plotFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  plotFrame->setLineWidth(2);
  Put(plotFrame, kChartsFrameBox);
  abChart_ = new QLabel(plotFrame);
  abChart_->setObjectName("Imagen");
  Put(abChart_, kAbChartBox);
  abChart_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lScale_ = new QLabel(plotFrame);
  lScale_->setObjectName("Image2");
  Put(lScale_, kLScaleBox);
  lScale_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* divider = new QFrame(client_);
  divider->setObjectName("Panel6");
  divider->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Put(divider, kDividerBox);
  divider->raise();

  swatch_ = new QFrame(client_);
  swatch_->setObjectName("Panel7");
  swatch_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  swatch_->setAutoFillBackground(true);
  Put(swatch_, kSwatchBox);

  auto* note = new QLabel(MainText("Label13"), client_);
  note->setObjectName("Label13");
  note->setFont(bold);
  QPalette blue = note->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  note->setPalette(blue);
  note->move(232, kNoteTop);
  note->adjustSize();


  // Tab order: name, both path lengths, "Introducir valores", the four absorbances, the wine
  // type, the grid. "Calcular" is no tab stop.
  QWidget* order[] = {nameField_,     measurementPathField_,       resultPathField_,      quickEntryButton_,      absorbanceFields_[0], absorbanceFields_[1],
                      absorbanceFields_[2], absorbanceFields_[3], redRose_, whiteBrandy_, gridView_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  redRose_->installEventFilter(this);
  whiteBrandy_->installEventFilter(this);
  client_->installEventFilter(this);
  ShowTooltips(language_);
}

void MainWindow::ShowTooltips(Language language) {
  for (const tooltips::Tooltip& t : tooltips::kMainWindowTooltips) {
    if (auto* w = client_->findChild<QWidget*>(ToQString(t.name))) w->setToolTip(ToQString(t.text.In(language)));
  }
}

void MainWindow::FitControls() {
  const MainLayout layout = GrownMainLayout({client_->width(), client_->height()});
  Put(gridView_, layout.grid);
  // The name column takes the grid's extra width, keeping what the user added or took away.
  QHeaderView* header = gridView_->horizontalHeader();
  header->resizeSection(kNameColumn, header->sectionSize(kNameColumn) + layout.nameColumnExtra - nameColumnExtra_);
  nameColumnExtra_ = layout.nameColumnExtra;
  Put(client_->findChild<QFrame*>("Panel5"), layout.chartsFrame);
  Put(abChart_, layout.abChart);
  Put(lScale_, layout.lScale);
  Put(client_->findChild<QFrame*>("Panel6"), layout.divider);
  Put(swatch_, layout.swatch);
  for (int k = 0; k < 3; ++k) {
    Put(client_->findChild<QFrame*>(kHeadingPanels[k]), layout.headings[k]);
    CentreHeading(client_->findChild<QLabel*>(kHeadingLabels[k]));
  }
  QLabel* note = client_->findChild<QLabel*>("Label13");
  note->move(note->x(), layout.noteTop);
  charts_.SetScale(devicePixelRatioF(), layout.chartZoom);
  RefreshCharts();
}

void MainWindow::BuildMenus() {
  using captions::Target;
  auto menu = [this](QWidget* parent, const char* name) {
    auto* m = new QMenu(Text(Target::MenuTitle, name), parent);
    m->setObjectName(name);
    return m;
  };
  // The first key is the program's own; a second is the one today's desktops use for the same
  // command (Ctrl+O, Ctrl+P, F1). The menu shows both.
  auto item = [this](QMenu* m, const char* name, const QList<QKeySequence>& keys = {}) {
    auto* a = m->addAction(QString());
    a->setObjectName(name);
    a->setShortcuts(keys);
    a->setText(WithEveryKey(Text(Target::MenuItem, name), *a));
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
  };

  QMenu* archivo = menu(menuBar(), "Archivo");
  QAction* nuevo1 = item(archivo, "Nuevo1", {QKeySequence(Qt::CTRL | Qt::Key_N)});
  QAction* abrir1 = item(archivo, "Abrir1", {QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::Key_O)});
  QAction* abrirEspectros1 = item(archivo, "AbrirEspectros1");
  QAction* importar1 = archivo->addAction(ToQString(readings::kImportItem.startUp));
  importar1->setObjectName(ToQString(readings::kImportItem.name));
  connect(importar1, &QAction::triggered, this, &MainWindow::ImportReadings);
  connect(this, &MainWindow::languageChanged, importar1,
          [importar1](Language language) { importar1->setText(ToQString(captions::Keyed(readings::kImportItem, language))); });
  QMenu* guardar1 = menu(archivo, "Guardar1");
  archivo->addMenu(guardar1);
  QAction* archivoExcel1 = item(guardar1, "ArchivoExcel1");
  QAction* archivoCalc1 = guardar1->addAction(ToQString(captions::kArchivoCalc));
  archivoCalc1->setObjectName("ArchivoCalc1");
  // The workbook for a spreadsheet, beside the data file that TINTAVIS opens again.
  QAction* exportarExcel1 = archivo->addAction(ToQString(workbooktexts::kExportItem.startUp));
  exportarExcel1->setObjectName(ToQString(workbooktexts::kExportItem.name));
  connect(exportarExcel1, &QAction::triggered, this, &MainWindow::ExportWorkbook);
  connect(this, &MainWindow::languageChanged, exportarExcel1,
          [exportarExcel1](Language language) { exportarExcel1->setText(ToQString(captions::Keyed(workbooktexts::kExportItem, language))); });
  archivo->addSeparator();
  QAction* imprimir1 = item(archivo, "Imprimir1", {QKeySequence(Qt::CTRL | Qt::Key_I), QKeySequence(Qt::CTRL | Qt::Key_P)});
  QAction* informe1 = item(archivo, "Informelaboratorio1");
  archivo->addSeparator();
  QAction* salir1 = item(archivo, "Salir1", {QKeySequence(Qt::CTRL | Qt::Key_S)});
  menuBar()->addMenu(archivo);

  QMenu* edicion = menu(menuBar(), "Edicin1");
  // Undo and redo are the window's keys outside the edit fields, which keep their own; Supr and
  // Ctrl+C act on the grid when it has the focus (GridView), and the menu shows their keys.
  auto editItem = [this](QMenu* m, const char* name, const QKeySequence& keys, Qt::ShortcutContext context) {
    auto* a = m->addAction(Text(Target::MenuItem, name));
    a->setObjectName(name);
    a->setShortcut(keys);
    a->setShortcutContext(context);
    return a;
  };
  QAction* deshacer1 = editItem(edicion, "Deshacer1", QKeySequence(Qt::CTRL | Qt::Key_Z), Qt::WindowShortcut);
  QAction* rehacer1 =
      editItem(edicion, "Rehacer1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Qt::WindowShortcut);
  edicion->addSeparator();
  QAction* copiar1 = editItem(edicion, "Copiar1", QKeySequence(Qt::CTRL | Qt::Key_C), Qt::WidgetShortcut);
  QAction* borrarfilas1 = editItem(edicion, "Borrarfilas1", QKeySequence(Qt::Key_Delete), Qt::WidgetShortcut);
  QAction* detalles1 = editItem(edicion, "Detalles1", {}, Qt::WindowShortcut);
  edicion->addSeparator();
  QAction* borrartodo1 = item(edicion, "Borrartodo1");
  menuBar()->addMenu(edicion);
  deshacer1->setEnabled(false);
  rehacer1->setEnabled(false);
  connect(undoStack_, &QUndoStack::canUndoChanged, deshacer1, &QAction::setEnabled);
  connect(undoStack_, &QUndoStack::canRedoChanged, rehacer1, &QAction::setEnabled);
  connect(deshacer1, &QAction::triggered, this, &MainWindow::Undo);
  connect(rehacer1, &QAction::triggered, this, &MainWindow::Redo);
  connect(copiar1, &QAction::triggered, this, &MainWindow::CopySelectedCells);
  connect(borrarfilas1, &QAction::triggered, this, &MainWindow::DeleteSelectedRows);
  connect(detalles1, &QAction::triggered, this, &MainWindow::ShowRowDetails);

  QMenu* opciones = menu(menuBar(), "Opciones1");
  QAction* numero1 = item(opciones, "Nmerodemuestra1");
  QAction* diferencia1 = item(opciones, "Diferenciadecolor1");
  QAction* incertidumbre1 = item(opciones, "Incertidumbre1");
  menuBar()->addMenu(opciones);

  QMenu* language = menu(menuBar(), "Language1");
  englishItem_ = language->addAction(ToQString(captions::kEnglishItem));
  englishItem_->setObjectName("English1");
  spanishItem_ = language->addAction(ToQString(captions::kSpanishItem));
  spanishItem_->setObjectName("Espanol1");
  spanishItem_->setVisible(false);
  menuBar()->addMenu(language);

  QMenu* ayuda1 = menu(menuBar(), "Ayuda1");
  QAction* ayuda = item(ayuda1, "Ayuda", {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::Key_F1)});
  ayuda1->addSeparator();
  QAction* acercade1 = item(ayuda1, "Acercade1");
  menuBar()->addMenu(ayuda1);

  connect(nuevo1, &QAction::triggered, this, &MainWindow::ClearAllSamples);
  connect(borrartodo1, &QAction::triggered, this, &MainWindow::ClearAllSamples);
  connect(salir1, &QAction::triggered, this, &MainWindow::Exit);
  connect(englishItem_, &QAction::triggered, this, &MainWindow::SwitchToEnglish);
  connect(spanishItem_, &QAction::triggered, this, &MainWindow::SwitchToSpanish);
  connect(numero1, &QAction::triggered, this, &MainWindow::ShowNumberingDialog);
  connect(ayuda, &QAction::triggered, this, &MainWindow::ShowHelp);
  connect(acercade1, &QAction::triggered, this, &MainWindow::ShowAbout);
  connect(diferencia1, &QAction::triggered, this, &MainWindow::ShowColourDifferences);
  connect(incertidumbre1, &QAction::triggered, this, &MainWindow::AskUncertainty);
  connect(abrir1, &QAction::triggered, this, &MainWindow::Open);
  connect(abrirEspectros1, &QAction::triggered, this, &MainWindow::OpenSpectra);
  connect(archivoExcel1, &QAction::triggered, this, &MainWindow::SaveExcelFile);
  connect(archivoCalc1, &QAction::triggered, this, &MainWindow::SaveCalcFile);
  connect(imprimir1, &QAction::triggered, this, &MainWindow::Print);
  connect(informe1, &QAction::triggered, this, &MainWindow::LaboratoryReport);

  // The popup menu: every item runs the command of its main-menu twin.
  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");
  auto twin = [this](const char* name, QAction* mainItem) {
    auto* a = popup_->addAction(Text(Target::MenuItem, name));
    a->setObjectName(name);
    connect(a, &QAction::triggered, mainItem, &QAction::trigger);
  };
  twin("Nuevo2", nuevo1);
  twin("Abrir2", abrir1);
  twin("Guardar2", archivoExcel1);
  twin("Borrartodo2", borrartodo1);
  twin("Borrarfilas2", borrarfilas1);
  twin("Detalles2", detalles1);
  popup_->addSeparator();
  twin("Imprimir2", imprimir1);
  popup_->addSeparator();
  twin("Ayuda2", ayuda);
  popup_->addSeparator();
  twin("Nmerodemuestra2", numero1);
  popup_->addSeparator();
  twin("Salir2", salir1);
}

void MainWindow::CentreHeading(QLabel* label) {
  label->adjustSize();
  const QWidget* panel = label->parentWidget();
  label->move(std::max(2, (panel->width() - label->width()) / 2), (kHeadingHeight - label->height()) / 2);
}

void MainWindow::SwitchToEnglish() { ApplyLanguage(Language::English); }

void MainWindow::SwitchToSpanish() { ApplyLanguage(Language::Spanish); }

void MainWindow::ApplyLanguage(Language language) {
  using captions::Target;
  const bool english = language == Language::English;
  language_ = language;
  // Qt's texts first: the key names in the menu's key column are Qt's.
  qtTexts_->Apply(language);
  for (const captions::Caption& c : captions::kCaptions) {
    const std::string_view text = c.In(language);
    const QString q = ToQString(text);
    const QString name = ToQString(c.name);
    switch (c.target) {
      case Target::MainWidget:
        if (auto* label = client_->findChild<QLabel*>(name)) {
          label->setText(q);
          if (label->parentWidget() != client_) {
            CentreHeading(label);
          } else {
            label->adjustSize();
          }
        } else if (auto* group = client_->findChild<QGroupBox*>(name)) {
          group->setTitle(q);
        } else if (auto* button = client_->findChild<QAbstractButton*>(name)) {
          button->setText(q);
        }
        break;
      case Target::MenuTitle:
        if (auto* menu = findChild<QMenu*>(name)) menu->setTitle(ToQString(captions::Keyed(c, language)));
        break;
      case Target::MenuItem:
        if (auto* action = findChild<QAction*>(name)) {
          action->setText(WithEveryKey(ToQString(captions::Keyed(c, language)), *action));
        }
        break;
      case Target::NumberingItem:
      case Target::HelpCaption:
      case Target::QuickEntry:
        break;  // the other windows take their own rows
    }
  }
  for (const captions::MovingLabel& m : captions::kMovingLabels) {
    auto* label = client_->findChild<QLabel*>(ToQString(m.name));
    label->move(m.LeftIn(language), label->y());
  }
  ShowTooltips(language);
  englishItem_->setVisible(!english);
  spanishItem_->setVisible(english);
  const auto header = GridHeader(language);
  for (const int c : {kNumberColumn, kNameColumn, kTonalityColumn}) session_.store.SetHeaderCell(c, header[c]);
  gridModel_->SetLanguage(language);
  ShowAllCells();
  emit languageChanged(language);
}

QColor MainWindow::SwatchColourShown() const { return swatch_->palette().color(QPalette::Window); }

QLineEdit* MainWindow::FieldFor(InputField field) const {
  switch (field) {
    case InputField::Espesor: return measurementPathField_;
    case InputField::Referido: return resultPathField_;
    case InputField::PrimLong: return absorbanceFields_[0];
    case InputField::SegLong: return absorbanceFields_[1];
    case InputField::TercLong: return absorbanceFields_[2];
    case InputField::CuartLong: return absorbanceFields_[3];
  }
  return measurementPathField_;
}

SampleForm MainWindow::ReadForm() const {
  SampleForm form;
  // A pasted name may hold characters that would split its row in the data file.
  form.name = ReplaceFieldBreakers(ToStdString(nameField_->text())).text;
  form.espesor = ToStdString(measurementPathField_->text());
  form.referido = ToStdString(resultPathField_->text());
  form.primLong = ToStdString(absorbanceFields_[0]->text());
  form.segLong = ToStdString(absorbanceFields_[1]->text());
  form.tercLong = ToStdString(absorbanceFields_[2]->text());
  form.cuartLong = ToStdString(absorbanceFields_[3]->text());
  form.wine = redRose_->isChecked() ? WineType::RedRose : WineType::WhiteBrandy;
  form.numberingEnabled = numbering_ != nullptr && numbering_->NumberingEnabled();
  return form;
}

void MainWindow::Calculate() {
  const SampleForm form = ReadForm();
  const CalculationOutcome outcome = CalculateSample(form, session_.Counters(), separator_, language_);
  if (const auto* missing = std::get_if<MissingInput>(&outcome)) {
    ShowMessage(missing->message);
    FieldFor(missing->field)->setFocus();
  } else if (const auto* error = std::get_if<InputError>(&outcome)) {
    ShowMessage(error->message);
  } else if (const auto* outOfRange = std::get_if<OutOfRange>(&outcome)) {
    for (QLineEdit* e : absorbanceFields_) e->clear();
    quickEntryButton_->setFocus();
    ShowMessage(outOfRange->message);
  } else if (const auto* full = std::get_if<GridFull>(&outcome)) {
    ShowMessage(full->message);
  } else {
    const auto& row = std::get<RowWritten>(outcome);
    SampleStore::State before = session_.store.Snapshot();
    ApplyRowWritten(row, CalculatedSample(row, form, separator_, std::chrono::system_clock::now()), session_, *this);
    Record(GridAction::Calculate, std::move(before));
    ScrollToRow(row.row);
  }
}

void MainWindow::Record(GridAction action, SampleStore::State before) {
  undoStack_->push(new GridChangeCommand(action, std::move(before), session_.store.Snapshot(),
                                         [this](const SampleStore::State& state) { ApplyState(state); }));
}

void MainWindow::ApplyState(const SampleStore::State& state) {
  session_.store.Restore(state);
  session_.failedRedisplayRow = 0;
  ShowAllCells();
  ShowRowCount(session_.store.RowCount());
  RedrawCharts(session_, *this);
}

void MainWindow::Undo() { undoStack_->undo(); }

void MainWindow::SetDecimalSeparator(char separator) {
  separator_ = separator;
  gridModel_->SetSeparator(separator);
}

void MainWindow::Redo() { undoStack_->redo(); }

void MainWindow::ScrollToRow(int row) {
  const QModelIndex index = gridModel_->index(row - 1, kNameColumn);
  if (index.isValid()) gridView_->scrollTo(index);
}

void MainWindow::DeleteSelectedRows() {
  GridView::Block block;
  if (!gridView_->SelectedBlock(block)) return;
  SampleStore::State before = session_.store.Snapshot();
  if (!session_.store.RemoveRows(block.firstRow, block.lastRow)) return;
  session_.failedRedisplayRow = 0;
  ShowAllCells();
  ShowRowCount(session_.store.RowCount());
  RedrawCharts(session_, *this);
  Record(GridAction::DeleteRows, std::move(before));
}

void MainWindow::CopySelectedCells() {
  GridView::Block block;
  if (!gridView_->SelectedBlock(block)) return;
  QApplication::clipboard()->setText(
      ToQString(BlockText(session_.store, block.firstRow, block.lastRow, block.firstColumn, block.lastColumn)));
}

void MainWindow::ShowRowDetails() {
  const QModelIndex current = gridView_->currentIndex();
  const int row = current.isValid() ? current.row() + 1 : 0;
  if (!session_.store.HoldsSample(row)) return;
  if (details_ == nullptr) details_ = new DetailsDialog(this);
  const StoredSample& sample = session_.store.Sample(row);
  std::vector<std::string> extra;
  // A value edited by hand is no longer the measurement's: it has no uncertainty.
  if (const auto u = uncertainty_ ? RowUncertainty(session_.store, row, *uncertainty_) : std::nullopt) {
    extra = UncertaintyLines(ComputeColour(*sample.input).value(), *u, sample.input->wine, separator_, language_);
  }
  details_->ShowSample(sample, row, language_, extra);
  details_->show();
  details_->raise();
  details_->activateWindow();
}

void MainWindow::AttachWindows(AboutWindow* about, HelpWindow* help, NumberingDialog* numbering,
                               QuickEntryWindow* quickEntry, DifferenceWindow* differences) {
  // Every attached window is optional (a window built alone, as in the tests, has none): each
  // is connected only when given, and each command that uses one checks it.
  about_ = about;
  help_ = help;
  numbering_ = numbering;
  quickEntry_ = quickEntry;
  // A window of this one keeps its place and its visibility, which a new parent would take.
  const auto adopt = [this](QWidget* w, Qt::WindowType type) {
    const bool shown = w->isVisible();
    const QPoint at = w->pos();
    w->setParent(this, (w->windowFlags() & ~Qt::WindowType_Mask) | type);
    w->move(at);
    if (shown) w->show();
  };
  if (numbering_ != nullptr) adopt(numbering_, Qt::Dialog);
  if (quickEntry_ != nullptr) {
    adopt(quickEntry_, Qt::Tool);
    quickEntry_->installEventFilter(this);
    PlaceQuickEntry();
  }
  if (differences != nullptr) adopt(differences, Qt::Tool);
  if (numbering_ != nullptr) {
    connect(numbering_, &NumberingDialog::orderNumberChanged, this,
            [this](int number) { session_.nextOrderNumber = number; });
    connect(this, &MainWindow::languageChanged, numbering_, &NumberingDialog::ApplyLanguage);
  }
  if (quickEntry_ != nullptr) {
    connect(quickEntry_, &QuickEntryWindow::entryCopied, this,
            [this](int field, const QString& text) { absorbanceFields_[field]->setText(text); });
    connect(quickEntry_, &QuickEntryWindow::finished, this, [this] {
      activateWindow();
      calculateButton_->setFocus();
    });
    connect(this, &MainWindow::languageChanged, quickEntry_, &QuickEntryWindow::RestartIn);
  }
  if (help_ != nullptr) connect(this, &MainWindow::languageChanged, help_, &HelpWindow::ApplyLanguage);
  if (differences == nullptr) return;
  differences_ = differences;
  differences_->SetUncertainty(uncertainty_);
  connect(this, &MainWindow::languageChanged, differences_, &DifferenceWindow::ApplyLanguage);
}

void MainWindow::AskUncertainty() {
  if (uncertaintyDialog_ == nullptr) {
    uncertaintyDialog_ = new UncertaintyDialog(this);
    connect(uncertaintyDialog_, &UncertaintyDialog::uncertaintyChosen, this,
            [this](std::optional<InputUncertainty> uncertainty) {
              uncertainty_ = uncertainty;
              if (differences_ != nullptr) differences_->SetUncertainty(uncertainty);
            });
  }
  uncertaintyDialog_->Ask(separator_, language_);
}

void MainWindow::ShowColourDifferences() {
  if (differences_ == nullptr) return;
  differences_->SetSeparator(separator_);
  differences_->ShowWindow();
}

// The file dialogs are made at their first use (each costs more than the rest of the window)
// and kept, so that each proposes the name last chosen in it.
QFileDialog* MainWindow::Dialog(QFileDialog*& dialog, const char* name, FileDialogKind kind) {
  if (dialog == nullptr) {
    dialog = MakeFileDialog(this, name, kind, language_);
  } else {
    StartInLastFolder(dialog);
    ApplyFileDialogLanguage(dialog, language_);
  }
  return dialog;
}

void MainWindow::SaveExcelFile() { SaveThrough(Dialog(excelSaveDialog_, "SaveDialog2", FileDialogKind::SaveExcel)); }

bool MainWindow::MaySetSamplesAside() {
  if (!session_.unsavedSamples) return true;
  enum Answer { kSave, kDontSave, kCancel };
  const Question question{std::string(messages::kUnsavedSamples.In(language_)),
                          {std::string(messages::kSaveAnswer.In(language_)),
                           std::string(messages::kDontSaveAnswer.In(language_)),
                           std::string(messages::kCancelAnswer.In(language_))},
                          kSave,
                          kCancel};
  switch (CurrentMessenger().Ask(this, question)) {
    case kSave:
      return SaveThrough(Dialog(excelSaveDialog_, "SaveDialog2", FileDialogKind::SaveExcel));
    case kDontSave:
      return true;
    default:
      return false;
  }
}

void MainWindow::SaveCalcFile() { SaveThrough(Dialog(calcSaveDialog_, "SaveDialog1", FileDialogKind::SaveCalc)); }

bool MainWindow::SaveThrough(QFileDialog* dialog) {
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  const QString path = dialog->selectedFiles().constFirst();
  RememberChoice(dialog, path);
  return SaveFile(path);
}

bool MainWindow::SaveFile(const QString& path) {
  // The file system's bytes of the name, unchanged from here on.
  const std::string file = QFile::encodeName(path).toStdString();
  // Saving over a file that held more samples than were opened from it loses the others: ask,
  // under whatever name or link the file is reached.
  const std::optional<FileIdentity> target = IdentityOfPath(file);
  if (truncatedFile_ && target == truncatedFile_) {
    enum Answer { kYes, kNo };
    const Question question{SaveLeavesSamplesOutQuestion(truncatedFileSamples_, session_.SampleCount(), language_),
                            {std::string(messages::kYesAnswer.In(language_)), std::string(messages::kNoAnswer.In(language_))},
                            kNo,
                            kNo};
    if (CurrentMessenger().Ask(this, question) != kYes) return false;
  }
  const auto error = WriteDataFile(session_.store.Texts(), session_.SampleCount(), file, language_);
  if (error) {
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(*error)});
    return false;
  }
  SetCaptionForFile(path);
  undoStack_->setClean();
  if (truncatedFile_ && target == truncatedFile_) truncatedFile_.reset();
  return true;
}

void MainWindow::Open() {
  if (!MaySetSamplesAside()) return;
  Dialog(openDialog_, "OpenDialog1", FileDialogKind::Open);
  if (openDialog_->exec() != QDialog::Accepted || openDialog_->selectedFiles().isEmpty()) {
    // Numbering is switched off by "Abrir" also when the user cancels the dialog.
    ResetNumbering();
    return;
  }
  // Of several files chosen only the first is opened.
  const QString path = openDialog_->selectedFiles().constFirst();
  RememberChoice(openDialog_, path);
  OpenFile(path);
}

bool MainWindow::OpenFile(const QString& path) {
  const std::string file = QFile::encodeName(path).toStdString();
  FileIdentity identity;
  // A workbook the export wrote opens as its samples sheet; any other workbook is for the
  // spreadsheet program.
  const DataFileRead read =
      IsWorkbookFile(file)
          ? ReadWorkbookFile(file, separator_, language_,
                             WorkbookMessage(workbooktexts::kWorkbookNotOpened, ToStdString(QFileInfo(path).fileName()),
                                             language_),
                             &identity)
          : ReadDataFile(file, separator_, language_, &identity);
  if (const auto* error = std::get_if<DataFileError>(&read);
      error && (error->kind == DataFileError::Kind::NotADataFile || error->kind == DataFileError::Kind::NoSamples)) {
    // A workbook or other binary file, or a file without samples: refused before anything,
    // numbering included, changes.
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(error->message)});
    return false;
  }
  ResetNumbering();
  if (const auto* error = std::get_if<DataFileError>(&read)) {
    // The whole file is read before anything changes: a failure leaves the grid as it was.
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(error->message)});
    return false;
  }
  const auto& content = std::get<DataFileContent>(read);
  SetCaptionForFile(path);
  SampleStore::State before = session_.store.Snapshot();
  LoadSamples(OpenedSamples(content), false, language_, session_, *this);
  Record(GridAction::Open, std::move(before));
  undoStack_->setClean();
  truncatedFile_.reset();
  if (content.namesCut) ShowMessage({MessageDisplay::Prompt, NamesCutMessage(language_)});
  if (content.moreThanFifty) {
    truncatedFile_ = identity;
    truncatedFileSamples_ = content.samplesInFile;
    ShowMessage({MessageDisplay::Prompt, SamplesLeftOutMessage(session_.SampleCount(), content.samplesInFile, language_)});
  }
  return true;
}

void MainWindow::OpenSpectra() {
  if (!MaySetSamplesAside()) return;
  QFileDialog* files = Dialog(spectraFileDialog_, "OpenDialog2", FileDialogKind::OpenSpectra);
  if (files->exec() != QDialog::Accepted || files->selectedFiles().isEmpty()) return;
  const QString path = files->selectedFiles().constFirst();
  RememberChoice(files, path);
  if (spectraDialog_ == nullptr) spectraDialog_ = new SpectraDialog(this);
  spectraDialog_->ApplyLanguage(language_);
  if (spectraDialog_->exec() != QDialog::Accepted) return;
  OpenSpectraFile(path, spectraDialog_->Choices());
}

bool MainWindow::OpenSpectraFile(const QString& path, const SpectraChoices& choices) {
  const SpectraFileRead read = ReadSpectraFile(QFile::encodeName(path).toStdString(), ReadOptionsFor(choices, language_));
  if (const auto* error = std::get_if<SpectraFileError>(&read)) {
    // Checked whole before anything changes: a faulty file leaves the grid as it was.
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(error->message)});
    return false;
  }
  const SpectraResults results = CheckSpectra(std::get<SpectraSet>(read), choices, language_);
  const SpectraGridLoad load = GridLoadFor(results, choices.wine, separator_, language_);
  SetCaptionForFile(path);
  truncatedFile_.reset();
  SampleStore::State before = session_.store.Snapshot();
  std::vector<ComputedSample> samples = load.samples;
  for (ComputedSample& s : samples) s.input = SampleInput{choices.wine, choices.d, choices.r, 0, 0, 0, 0};
  LoadComputedSamples(samples, language_, session_, *this);
  Record(GridAction::Open, std::move(before));
  if (samples.empty()) undoStack_->setClean();
  for (const Message& message : load.messages) ShowMessage(message);
  return true;
}

void MainWindow::SetCaptionForFile(const QString& path) {
  dataFile_ = QFileInfo(path).fileName();
  setWindowTitle(QString::fromLatin1(kApplicationTitle) + " - " + QFileInfo(path).fileName());
}

void MainWindow::Print() {
  if (!ChoosePrinter(windowTitle(), 1)) return;
  if (const auto problem = PrintReportOn(*printer_)) ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(*problem)});
}

bool MainWindow::ChoosePrinter(const QString& docName, int pages) {
  if (printer_ == nullptr) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  // Qt's print dialog takes its texts when it is made: after a language switch it is made
  // again, and takes the last choices from the printer, which keeps them.
  if (printDialog_ == nullptr || printDialogLanguage_ != language_) {
    printDialog_.reset();
    printDialog_ = std::make_unique<QPrintDialog>(printer_.get(), this);
    printDialog_->setObjectName("PrintDialog1");
    printDialog_->setOption(QAbstractPrintDialog::PrintPageRange, true);
    printDialog_->setOption(QAbstractPrintDialog::PrintSelection, true);
    printDialog_->setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    // Made in the language of the moment, it never takes another: its "Imprimir" stays.
    KeepButtonTexts(printDialog_.get());
    printDialogLanguage_ = language_;
  }
  if (!PrintDestinationAvailable(*printDialog_)) {
    ShowMessage({MessageDisplay::ErrorDisplay, WithFullStop(messages::kNoPrinter)});
    return false;
  }
  printer_->setDocName(docName);
  // Left to itself Qt proposes a file in the working or the home folder. Its only call for
  // another proposal is the printer's output file, which would also switch the printer to PDF
  // output and so pass over the system's printer: the proposal goes into the dialog's file field
  // (Qt names it "filename") instead.
  if (auto* file = printDialog_->findChild<QLineEdit*>(QStringLiteral("filename"))) file->setText(ProposedPdfFile());
  // The page-number range is offered selected, with collation ticked; whatever range the user
  // picks, every page of the document is printed.
  printDialog_->setMinMax(1, pages);
  printDialog_->setFromTo(1, pages);
  printDialog_->setPrintRange(QAbstractPrintDialog::PageRange);
  printer_->setCollateCopies(true);
  return printDialog_->exec() == QDialog::Accepted;
}

std::optional<std::string> MainWindow::PrintReportOn(QPrinter& printer) {
  // Portrait whatever the dialog said; the printable width and height are read from the
  // printer as it now stands, with the paper chosen in the dialog.
  printer.setPageOrientation(QPageLayout::Portrait);
  ReportContent content;
  content.caption = ToStdString(windowTitle());
  content.language = language_;
  content.moment = ReportMomentOf(QDateTime::currentDateTime(), language_);
  content.rows = ReportRows(session_.store.Texts(), session_.SampleCount());
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    // Qt's own PDF output would truncate an old report first and pass over a full disk.
    const std::string problem =
        WriteReportPdf(QFile::encodeName(printer.outputFileName()).toStdString(), printer.pageLayout(),
                       printer.resolution(), printer.docName(), printer.creator(), content);
    if (problem.empty()) return std::nullopt;
    return problem;
  }
  if (!PaintReport(printer, content)) return std::string(messages::kPrintingFailed);
  return std::nullopt;
}

QString MainWindow::ProposedPdfFile() const {
  QString folder;
  if (printer_ != nullptr && printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
    folder = QFileInfo(printer_->outputFileName()).absolutePath();
  }
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  // The caption is "TINTAVIS", or "TINTAVIS - " and the name of the file saved or opened.
  const QString title = windowTitle();
  const QString prefix = QString::fromLatin1(kApplicationTitle) + " - ";
  const QString name =
      title.startsWith(prefix) ? QFileInfo(title.mid(prefix.size())).completeBaseName() : QString::fromLatin1(kApplicationTitle);
  return QDir(folder).filePath((name.isEmpty() ? QString::fromLatin1(kApplicationTitle) : name) + ".pdf");
}

void MainWindow::ShowQuickEntry() {
  // The quick entry window comes first, then the four absorbances are emptied for it.
  if (quickEntry_ != nullptr) quickEntry_->ShowAndRaise();
  for (QLineEdit* e : absorbanceFields_) e->clear();
}

void MainWindow::ShowNumberingDialog() {
  if (numbering_ != nullptr) numbering_->ShowDialog();
}

void MainWindow::ShowHelp() {
  if (help_ != nullptr) help_->ShowModal();
}

void MainWindow::ShowAbout() {
  if (about_ != nullptr) about_->ShowModal();
}

void MainWindow::ClearAllSamples() {
  if (!MaySetSamplesAside()) return;
  SampleStore::State before = session_.store.Snapshot();
  ClearAll(session_, *this);
  Record(GridAction::ClearAll, std::move(before));
  // An empty grid has nothing to save; undoing the clear brings the samples back unsaved.
  undoStack_->setClean();
}

void MainWindow::Exit() { close(); }

void MainWindow::RedisplaySelectedRow(int row) { RedisplayRow(row, session_, *this); }

void MainWindow::PlaceQuickEntry() {
  const QSize frame = quickEntry_->frameGeometry().size();
  // The client scrolls once the window is smaller than the controls: the place is in the part
  // the scroll area shows.
  const QWidget* shown = static_cast<QScrollArea*>(centralWidget())->viewport();
  const PixelPoint at = QuickEntryStartPlace({client_->width(), client_->height()}, {shown->width(), shown->height()},
                                             {frame.width(), frame.height()});
  quickEntry_->move(client_->mapToGlobal(QPoint(at.x, at.y)));
  placedFrame_ = frame;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (quickEntry_ != nullptr && !quickEntryClosed_) PlaceQuickEntry();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  // The window manager raises this window when it is clicked. It keeps a tool window in front
  // of it only when this window was on the screen before the tool window came onto it, which
  // the quick entry window, open from the start, is not (Openbox then lets the click cover it):
  // the tool windows are raised again over this one.
  for (QWidget* tool : {static_cast<QWidget*>(quickEntry_), static_cast<QWidget*>(differences_)}) {
    if (tool != nullptr && tool->isVisible()) tool->raise();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_) {
    if (event->type() == QEvent::Resize) FitControls();
    return false;
  }
  if (watched == quickEntry_) {
    if (event->type() == QEvent::Hide) quickEntryClosed_ = true;
    // The window manager frames the window after it was placed: a frame of another size takes
    // the place again, so that the whole frame stays in view. A move by the user keeps its size.
    if (event->type() == QEvent::Move && !quickEntryClosed_ && quickEntry_->frameGeometry().size() != placedFrame_) {
      PlaceQuickEntry();
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter in any input field runs "Calcular", as a default button would.
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      Calculate();
      return true;
    }
    // Down and Up move between the two wine types, which stand side by side, as Right and Left do.
    if ((watched == redRose_ || watched == whiteBrandy_) && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) &&
        key->modifiers() == Qt::NoModifier) {
      QRadioButton* other = watched == redRose_ ? whiteBrandy_ : redRose_;
      other->setFocus(Qt::TabFocusReason);
      other->setChecked(true);
      return true;
    }
  } else if (event->type() == QEvent::ShortcutOverride) {
    // The menu's Ctrl shortcuts win over the edit fields' own keys (Ctrl+A opens a file
    // rather than selecting the field's text).
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* a : actions()) {
      if (a->shortcuts().contains(pressed)) {
        key->ignore();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) { popup_->popup(event->globalPos()); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!MaySetSamplesAside()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  // Closing the main window ends the program, whatever other windows are open.
  if (event->isAccepted()) QCoreApplication::quit();
}

void MainWindow::ShowRow(int row) { gridModel_->RowChanged(row); }

void MainWindow::ShowAllCells() { gridModel_->AllChanged(); }

void MainWindow::ShowRowCount(int) { gridView_->SyncRowCountQuietly(*gridModel_); }

void MainWindow::PlotAbLabel(int row, double a, double b) {
  charts_.PlotAbLabel(row, a, b);
  RefreshCharts();
}

void MainWindow::PlotLLabel(int row, double L) {
  charts_.PlotLLabel(row, L);
  RefreshCharts();
}

void MainWindow::DrawEmptyCharts() {
  charts_.DrawEmptyCharts();
  RefreshCharts();
}

void MainWindow::RefreshCharts() {
  abChart_->setPixmap(QPixmap::fromImage(charts_.AbChart()));
  lScale_->setPixmap(QPixmap::fromImage(charts_.LScale()));
}

void MainWindow::SetSwatch(SwatchColour colour) {
  QPalette palette = swatch_->palette();
  palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
  swatch_->setPalette(palette);
}

void MainWindow::ShowMessage(const Message& message) { CurrentMessenger().Show(this, message); }

void MainWindow::ResetNumbering() {
  if (numbering_ != nullptr) numbering_->Reset();
}

void MainWindow::EmptyInputFields() {
  nameField_->clear();
  measurementPathField_->clear();
  resultPathField_->clear();
  for (QLineEdit* e : absorbanceFields_) e->clear();
}

void MainWindow::FocusNameField() { nameField_->setFocus(); }

}  // namespace tintavis

#include "savedquotes/frmOpenSavedQuotes.h"

#include "ui_frmOpenSavedQuotes.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "lists/ListControl.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/Store.h"

#include <QAction>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

namespace {
const QString EmptyListText = QStringLiteral("You do not currently have any saved quotes !");
const QString EmptyListTitle = QStringLiteral("Saved quotes");
} // namespace

frmOpenSavedQuotes::frmOpenSavedQuotes(Platform &platform, Settings &settings, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_settings(settings),
      ui(std::make_unique<Ui::frmOpenSavedQuotes>())
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    // The controls keep the sizes offices know; a slightly narrower face of
    // the program's font lets "Saved quotes:" and the longer button captions
    // fit them whole.
    QFont narrower = font();
    narrower.setStretch(QFont::SemiCondensed);
    setFont(narrower);
    FixAndCentreDialog(this);

    connect(ui->cmdOpen, &QPushButton::clicked, this, &frmOpenSavedQuotes::cmdOpen_Click);
    connect(ui->cmdPrint, &QPushButton::clicked, this, &frmOpenSavedQuotes::cmdPrint_Click);
    connect(ui->cmdEditqute, &QPushButton::clicked, this, &frmOpenSavedQuotes::cmdEditqute_Click);
    connect(ui->cmdRefreshQuote, &QPushButton::clicked, this,
            &frmOpenSavedQuotes::cmdRefreshQuote_Click);
    connect(ui->cmdRename, &QPushButton::clicked, this, &frmOpenSavedQuotes::cmdRename_Click);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &frmOpenSavedQuotes::cmdDelete_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmOpenSavedQuotes::cmdClose_Click);

    // Print preview and Export as PDF act on the open quote from a context
    // menu of the list and of the quote's text: right click, the Menu key
    // (which the desktop turns into a context menu request) or Shift+F10.
    m_printPreview = new QAction(QStringLiteral("&Print preview"), this);
    m_printPreview->setObjectName(QStringLiteral("quotePrintPreview"));
    m_printPreview->setToolTip(QStringLiteral("Show the open quote's page as it will print"));
    m_exportPdf = new QAction(QStringLiteral("&Export as PDF..."), this);
    m_exportPdf->setObjectName(QStringLiteral("quoteExportPdf"));
    m_exportPdf->setToolTip(QStringLiteral("Save the open quote's page as a PDF file"));
    connect(m_printPreview, &QAction::triggered, this,
            &frmOpenSavedQuotes::quotePrintPreview_Click);
    connect(m_exportPdf, &QAction::triggered, this, &frmOpenSavedQuotes::quoteExportPdf_Click);
    for (QAbstractScrollArea *control :
         std::initializer_list<QAbstractScrollArea *>{ui->lstSavedQuotes, ui->txtOpenQuote}) {
        control->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(control, &QWidget::customContextMenuRequested, this,
                [this, control](const QPoint &at) { ShowQuoteMenu(control, at); });
        auto *shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), control);
        shiftF10->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shiftF10, &QShortcut::activated, this, [this, control] {
            const QListWidgetItem *item = ui->lstSavedQuotes->currentItem();
            ShowQuoteMenu(control,
                          control == ui->txtOpenQuote ? ui->txtOpenQuote->cursorRect().bottomLeft()
                              : item ? ui->lstSavedQuotes->visualItemRect(item).center()
                                     : QPoint(0, 0));
        });
    }

    ui->cmdOpen->setFocus();
    Form_Load();
}

frmOpenSavedQuotes::~frmOpenSavedQuotes() = default;

void frmOpenSavedQuotes::SavedQuotesReSort(QListWidget *list) { NumericReSort(ListControl(list)); }

QWidget *frmOpenSavedQuotes::MessageParent()
{
    if (isVisible() || !parentWidget())
        return this;
    return parentWidget();
}

void frmOpenSavedQuotes::Form_Load()
{
    FillSavedQuotesList();
    ShowNumberOfQuotes();
    if (ui->lstSavedQuotes->count() == 0)
        m_platform.messages.show(MessageParent(), EmptyListText, EmptyListTitle,
                                 MsgIcon::Information);
}

void frmOpenSavedQuotes::FillSavedQuotesList()
{
    ListControl list(ui->lstSavedQuotes);
    list.clear();
    const std::optional<QStringList> names = Store::listEntries(m_platform.files,
                                                                Paths::quotesFolder());
    if (!names) {
        // The folder was there at start-up; if it has gone or cannot be read
        // the list stays empty and the user learns why.
        m_platform.messages.show(MessageParent(),
                                 QStringLiteral("The directory (") + Paths::quotesFolder()
                                     + QStringLiteral(") cannot be read !"),
                                 EmptyListTitle, MsgIcon::Exclamation);
        return;
    }
    list.fill(*names);
    SavedQuotesReSort(ui->lstSavedQuotes);
}

void frmOpenSavedQuotes::ShowNumberOfQuotes()
{
    ui->txtNumberOfQuotes->setText(QString::number(ui->lstSavedQuotes->count()));
}

QString frmOpenSavedQuotes::OpenQuoteText() const { return m_openQuoteText; }

void frmOpenSavedQuotes::SetOpenQuoteText(const QString &crLfText)
{
    m_openQuoteText = crLfText;
    SetMultiLineText(ui->txtOpenQuote, crLfText);
}

void frmOpenSavedQuotes::ReportQuoteNotFound(const QString &name)
{
    m_platform.messages.show(
        MessageParent(), QStringLiteral("The quote ") + name + QStringLiteral(" cannot be found !"),
        QStringLiteral("Quote not found"), MsgIcon::Exclamation);
}

std::optional<QString> frmOpenSavedQuotes::QuoteFileOf(const QString &name) const
{
    const std::optional<QString> file = Store::entryFileOf(m_platform.files, Paths::quotesFolder(),
                                                           name);
    if (file && m_platform.files.fileExists(*file))
        return file;
    return std::nullopt;
}

bool frmOpenSavedQuotes::NameTaken(const QString &name) const
{
    return Store::entryExists(m_platform.files, Paths::quotesFolder(), name);
}

std::optional<QString> frmOpenSavedQuotes::QuoteFileFound(const QString &name)
{
    std::optional<QString> file = QuoteFileOf(name);
    if (!file)
        ReportQuoteNotFound(name);
    return file;
}

bool frmOpenSavedQuotes::ReadQuoteFile(const QString &name)
{
    const std::optional<QString> file = QuoteFileFound(name);
    if (!file)
        return false;
    std::optional<QString> text = Store::readWholeFile(m_platform.files, *file);
    if (!text) {
        m_platform.messages.show(MessageParent(),
                                 QStringLiteral("The quote ") + name
                                     + QStringLiteral(" cannot be read !"),
                                 QStringLiteral("Quote not read"), MsgIcon::Exclamation);
        return false;
    }
    Store::trimOneCrLf(*text);
    SetOpenQuoteText(*text);
    return true;
}

void frmOpenSavedQuotes::cmdOpen_Click()
{
    // What the list shows as selected is what opens, however it was
    // selected (a click, the keyboard, or an accessibility tool, which
    // selects without moving the current item).
    const QList<QListWidgetItem *> selected = ui->lstSavedQuotes->selectedItems();
    const QString name = selected.isEmpty() ? QString() : selected.first()->text();
    if (name.isEmpty()) {
        m_platform.messages.show(MessageParent(), QStringLiteral("Please select a quote to open !"),
                                 QStringLiteral("No quote to open"), MsgIcon::Exclamation);
        return;
    }
    // The name changes only with the text, so a quote that cannot be read
    // leaves the quote that was open as it was.
    if (ReadQuoteFile(name))
        ui->txtOpenQuoteName->setText(name);
}

void frmOpenSavedQuotes::cmdRefreshQuote_Click()
{
    const QString name = ui->txtOpenQuoteName->text();
    if (name.isEmpty()) {
        m_platform.messages.show(
            MessageParent(),
            QStringLiteral("Please select a quote to open and edit before refreshing !"),
            QStringLiteral("No quote open to refresh"), MsgIcon::Exclamation);
        return;
    }
    ReadQuoteFile(name);
}

void frmOpenSavedQuotes::cmdClose_Click() { close(); }

bool frmOpenSavedQuotes::OpenQuoteToPrint()
{
    const QString name = ui->txtOpenQuoteName->text();
    if (name.isEmpty()) {
        m_platform.messages.show(MessageParent(), QStringLiteral("Please open a quote to print !"),
                                 QStringLiteral("No quote to print"), MsgIcon::Exclamation);
        return false;
    }
    return QuoteFileFound(name).has_value();
}

std::function<void(PrinterSurface &, int)> frmOpenSavedQuotes::OpenQuotePage() const
{
    QString text = OpenQuoteText();
    Store::trimOneCrLf(text);
    return [text](PrinterSurface &surface, int margin) {
        PrintWrapped(surface, text + Store::CrLf, margin, margin);
    };
}

void frmOpenSavedQuotes::ShowQuoteMenu(QWidget *control, const QPoint &at)
{
    std::unique_ptr<QMenu> menu(
        control == ui->txtOpenQuote ? ui->txtOpenQuote->createStandardContextMenu(at) : new QMenu);
    menu->setParent(this, menu->windowFlags());
    menu->setObjectName(QStringLiteral("mnuQuote"));
    menu->setTitle(QStringLiteral("Open quote"));
    menu->setAccessibleName(QStringLiteral("Open quote"));
    if (!menu->isEmpty())
        menu->addSeparator();
    menu->addAction(m_printPreview);
    menu->addAction(m_exportPdf);
    menu->exec(static_cast<QAbstractScrollArea *>(control)->viewport()->mapToGlobal(at));
}

void frmOpenSavedQuotes::quotePrintPreview_Click()
{
    if (!OpenQuoteToPrint())
        return;
    const QString name = ui->txtOpenQuoteName->text();
    const std::optional<QString> device = RunPrintPreview(
        m_platform, MessageParent(), m_settings.printer, name, OpenQuotePage());
    if (device)
        m_platform.messages.show(MessageParent(),
                                 QStringLiteral("The quote ") + name
                                     + QStringLiteral(" has been sent to the printer ") + *device,
                                 QStringLiteral("Printing"), MsgIcon::Information);
}

void frmOpenSavedQuotes::quoteExportPdf_Click()
{
    if (OpenQuoteToPrint())
        RunPdfExport(m_platform, MessageParent(), m_settings.printer, ui->txtOpenQuoteName->text(),
                     OpenQuotePage());
}

void frmOpenSavedQuotes::cmdPrint_Click()
{
    if (!OpenQuoteToPrint())
        return;
    const QString name = ui->txtOpenQuoteName->text();
    // The one page that the print, the preview and the PDF all make.
    const std::optional<QString> device = RunPrintJob(m_platform, MessageParent(),
                                                      m_settings.printer, OpenQuotePage());
    if (!device)
        return; // RunPrintJob has told the user why
    m_platform.messages.show(MessageParent(),
                             QStringLiteral("The quote ") + name
                                 + QStringLiteral(" has been sent to the printer ") + *device,
                             QStringLiteral("Printing"), MsgIcon::Information);
}

void frmOpenSavedQuotes::cmdEditqute_Click()
{
    const QString name = ui->txtOpenQuoteName->text();
    if (name.isEmpty()) {
        m_platform.messages.show(MessageParent(), QStringLiteral("Please open a quote to edit !"),
                                 QStringLiteral("No quote to edit"), MsgIcon::Exclamation);
        return;
    }
    const std::optional<QString> quoteFile = QuoteFileFound(name);
    if (!quoteFile)
        return;
    m_platform.messages.show(MessageParent(),
                             QStringLiteral("You will need to refresh the quote once you have "
                                            "edited it in order to view the changes !"),
                             QStringLiteral("Edit quote"), MsgIcon::Information);
    const QString file = m_platform.files.nativePath(*quoteFile);
    if (!m_platform.launcher.openInEditor(file))
        m_platform.messages.show(MessageParent(),
                                 QStringLiteral("No text editor could be started for the quote ")
                                     + name + QStringLiteral(" (") + file + QStringLiteral(") !"),
                                 QStringLiteral("Edit quote"), MsgIcon::Exclamation);
}

void frmOpenSavedQuotes::cmdRename_Click()
{
    const QString oldName = ui->txtOpenQuoteName->text();
    if (oldName.isEmpty()) {
        m_platform.messages.show(MessageParent(), QStringLiteral("Please open a quote to rename !"),
                                 QStringLiteral("No quote to rename"), MsgIcon::Exclamation);
        return;
    }
    const std::optional<QString> oldFile = QuoteFileFound(oldName);
    if (!oldFile)
        return;
    const QString newName = ui->txtRenameQuote->text();
    if (newName.isEmpty()) {
        m_platform.messages.show(MessageParent(),
                                 QStringLiteral("Please enter a new name for the quote !"),
                                 QStringLiteral("Quote name"), MsgIcon::Exclamation);
        ui->txtRenameQuote->setFocus();
        return;
    }
    // Tested before the existence test, so that a name reaching outside the
    // quotes folder or holding wildcards is never looked up at all. The
    // typed name stays for the user to correct.
    if (!Store::isSafeFileName(newName)) {
        m_platform.messages.show(MessageParent(), Store::unsafeQuoteNameMessage(newName),
                                 Store::UnsafeQuoteNameTitle, MsgIcon::Exclamation);
        ui->txtRenameQuote->setFocus();
        return;
    }
    const auto refuseTakenName = [&] {
        m_platform.messages.show(MessageParent(),
                                 QStringLiteral("The quote ") + newName
                                     + QStringLiteral(" already exists, please enter a different "
                                                      "name for the quote !"),
                                 QStringLiteral("Quote already exists"), MsgIcon::Exclamation);
        ui->txtRenameQuote->clear();
        ui->txtRenameQuote->setFocus();
    };
    if (NameTaken(newName)) {
        refuseTakenName();
        return;
    }
    // The file itself is moved, not written anew from the screen: edits made
    // in the editor since the last refresh and every byte of the file stay,
    // and nothing is lost if the move fails. The move is one step that
    // refuses a taken name, so a name taken meanwhile (from another computer
    // sharing the folder) is never overwritten.
    if (!m_platform.files.renameFile(*oldFile, Paths::quoteFile(newName))) {
        if (!m_platform.files.fileExists(*oldFile))
            ReportQuoteNotFound(oldName);
        else if (NameTaken(newName))
            refuseTakenName();
        else
            m_platform.messages.show(MessageParent(),
                                     QStringLiteral("The quote ") + oldName
                                         + QStringLiteral(" could not be renamed to ") + newName
                                         + QStringLiteral(", it keeps its name !"),
                                     QStringLiteral("Quote not renamed"), MsgIcon::Exclamation);
        return;
    }
    ui->txtOpenQuoteName->setText(newName);
    // What is shown is what the renamed file now holds.
    if (std::optional<QString> text = Store::readWholeFile(m_platform.files,
                                                           Paths::quoteFile(newName))) {
        Store::trimOneCrLf(*text);
        SetOpenQuoteText(*text);
    }
    FillSavedQuotesList();
    ui->txtRenameQuote->clear();
    m_platform.messages.show(MessageParent(),
                             QStringLiteral("The quote has been renamed to ") + newName
                                 + QStringLiteral(" !"),
                             QStringLiteral("Quote renamed"), MsgIcon::Exclamation);
}

void frmOpenSavedQuotes::cmdDelete_Click()
{
    const QString name = ui->txtOpenQuoteName->text();
    if (name.isEmpty()) {
        m_platform.messages.show(MessageParent(), QStringLiteral("Please open a quote to delete !"),
                                 QStringLiteral("No quote to delete"), MsgIcon::Exclamation);
        return;
    }
    // A quote already gone is not asked about.
    const std::optional<QString> file = QuoteFileFound(name);
    if (!file)
        return;
    const MsgAnswer answer = m_platform.messages.show(
        MessageParent(), QStringLiteral("Are you sure that you want to delete the quote ") + name,
        QStringLiteral("Delete quote"), MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) {
        m_platform.messages.show(MessageParent(), QStringLiteral("Quote delete canceld !"),
                                 QStringLiteral("Quote delete canceld"), MsgIcon::Information);
        return;
    }
    if (!m_platform.files.removeFile(*file)) {
        if (!m_platform.files.fileExists(*file))
            ReportQuoteNotFound(name);
        else
            m_platform.messages.show(MessageParent(),
                                     QStringLiteral("The quote ") + name
                                         + QStringLiteral(" could not be deleted, it is still "
                                                          "saved !"),
                                     QStringLiteral("Quote not deleted"), MsgIcon::Exclamation);
        return;
    }
    SetOpenQuoteText(QString());
    FillSavedQuotesList();
    ShowNumberOfQuotes();
    m_platform.messages.show(MessageParent(),
                             QStringLiteral("The quote ") + name
                                 + QStringLiteral(" has been deleted !"),
                             QStringLiteral("Quote deleted"), MsgIcon::Information);
    if (ui->lstSavedQuotes->count() == 0)
        m_platform.messages.show(MessageParent(), EmptyListText, EmptyListTitle,
                                 MsgIcon::Information);
}

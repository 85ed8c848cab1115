#include "savedquotes/frmOpenSavedQuotes.h"

#include "ui_frmOpenSavedQuotes.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "lists/ListControl.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/Store.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>

namespace {
const QString EmptyListText = QStringLiteral("You do not currently have any saved quotes !");
const QString EmptyListTitle = QStringLiteral("Saved quotes");
} // namespace

frmOpenSavedQuotes::frmOpenSavedQuotes(Platform &platform, Settings &settings, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_settings(settings),
      ui(std::make_unique<Ui::frmOpenSavedQuotes>()),
      m_quote(platform, settings, [this] { return messageParent(); })
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    // The controls keep the sizes offices know; a slightly narrower face of
    // the program's font lets "Saved quotes:" and the longer button captions
    // fit them whole.
    QFont narrower = font();
    narrower.setStretch(QFont::SemiCondensed);
    setFont(narrower);
    fixAndCentreDialog(this);

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
                [this, control](const QPoint &at) { showQuoteMenu(control, at); });
        auto *shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), control);
        shiftF10->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shiftF10, &QShortcut::activated, this, [this, control] {
            const QListWidgetItem *item = ui->lstSavedQuotes->currentItem();
            showQuoteMenu(control,
                          control == ui->txtOpenQuote ? ui->txtOpenQuote->cursorRect().bottomLeft()
                              : item ? ui->lstSavedQuotes->visualItemRect(item).center()
                                     : QPoint(0, 0));
        });
    }

    ui->cmdOpen->setFocus();
    Form_Load();
}

frmOpenSavedQuotes::~frmOpenSavedQuotes() = default;

QWidget *frmOpenSavedQuotes::messageParent()
{
    if (isVisible() || !parentWidget())
        return this;
    return parentWidget();
}

void frmOpenSavedQuotes::Form_Load()
{
    fillSavedQuotesList();
    showNumberOfQuotes();
    if (ui->lstSavedQuotes->count() == 0)
        m_platform.messages.inform(messageParent(), EmptyListTitle, EmptyListText);
}

void frmOpenSavedQuotes::fillSavedQuotesList()
{
    ListControl list(ui->lstSavedQuotes);
    list.clear();
    m_listedFiles.clear();
    const std::optional<QStringList> files = listSavedQuotes(m_platform.files);
    if (!files) {
        // The folder was there at start-up; if it has gone or cannot be read
        // the list stays empty and the user learns why.
        m_platform.messages.warn(messageParent(), EmptyListTitle, unreadableQuotesFolderMessage());
        return;
    }
    m_listedFiles = *files;
    QVector<ListItem> items;
    items.reserve(files->size());
    for (const int at : savedQuotesOrder(*files))
        items.append({files->at(at).chopped(4), at});
    list.setItems(items);
}

void frmOpenSavedQuotes::showNumberOfQuotes()
{
    ui->txtNumberOfQuotes->setText(QString::number(ui->lstSavedQuotes->count()));
}

QString frmOpenSavedQuotes::openQuoteText() const { return m_openQuoteText; }

void frmOpenSavedQuotes::setOpenQuoteText(const QString &crLfText)
{
    m_openQuoteText = crLfText;
    setMultiLineText(ui->txtOpenQuote, crLfText);
}

bool frmOpenSavedQuotes::nameTaken(const QString &name) const
{
    return Store::entryExists(m_platform.files, Paths::quotesFolder(), name);
}

bool frmOpenSavedQuotes::readQuoteFile(const SavedQuote &quote)
{
    const std::optional<QString> text = m_quote.read(quote);
    if (text)
        setOpenQuoteText(*text);
    return text.has_value();
}

SavedQuote frmOpenSavedQuotes::openQuote() const
{
    return {ui->txtOpenQuoteName->text(), m_openQuoteFile};
}

void frmOpenSavedQuotes::cmdOpen_Click()
{
    // What the list shows as selected is what opens, however it was
    // selected (a click, the keyboard, or an accessibility tool, which
    // selects without moving the current item).
    const QList<QListWidgetItem *> selected = ui->lstSavedQuotes->selectedItems();
    if (selected.isEmpty()) {
        m_platform.messages.warn(messageParent(), QStringLiteral("No quote to open"),
                                 QStringLiteral("Please select a quote to open !"));
        return;
    }
    // The name changes only with the text, so a quote that cannot be read
    // leaves the quote that was open as it was.
    const SavedQuote quote = savedQuoteOf(
        m_listedFiles.at(selected.first()->data(Qt::UserRole).toInt()));
    if (readQuoteFile(quote)) {
        ui->txtOpenQuoteName->setText(quote.name);
        m_openQuoteFile = quote.file;
    }
}

void frmOpenSavedQuotes::cmdRefreshQuote_Click()
{
    if (ui->txtOpenQuoteName->text().isEmpty()) {
        m_platform.messages.warn(
            messageParent(), QStringLiteral("No quote open to refresh"),
            QStringLiteral("Please select a quote to open and edit before refreshing !"));
        return;
    }
    readQuoteFile(openQuote());
}

void frmOpenSavedQuotes::cmdClose_Click() { close(); }

std::optional<QString> frmOpenSavedQuotes::openQuoteFile(const QString &title, const QString &text)
{
    return m_quote.fileToActOn(openQuote(), title, text);
}

void frmOpenSavedQuotes::showQuoteMenu(QWidget *control, const QPoint &at)
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
    m_quote.preview(openQuote(), openQuoteText());
}

void frmOpenSavedQuotes::quoteExportPdf_Click() { m_quote.exportPdf(openQuote(), openQuoteText()); }

void frmOpenSavedQuotes::cmdPrint_Click() { m_quote.print(openQuote(), openQuoteText()); }

void frmOpenSavedQuotes::cmdEditqute_Click() { m_quote.edit(openQuote()); }

void frmOpenSavedQuotes::cmdRename_Click()
{
    const std::optional<QString> oldFile = openQuoteFile(
        QStringLiteral("No quote to rename"), QStringLiteral("Please open a quote to rename !"));
    if (!oldFile)
        return;
    const QString oldName = ui->txtOpenQuoteName->text();
    const QString newName = ui->txtRenameQuote->text();
    if (newName.isEmpty()) {
        m_platform.messages.warn(messageParent(), QStringLiteral("Quote name"),
                                 QStringLiteral("Please enter a new name for the quote !"));
        ui->txtRenameQuote->setFocus();
        return;
    }
    // Tested before the existence test, so that a name reaching outside the
    // quotes folder or holding wildcards is never looked up at all. The
    // typed name stays for the user to correct.
    if (const std::optional<QString> refusal = Store::quoteNameRefusal(newName)) {
        m_platform.messages.warn(messageParent(), Store::UnsafeQuoteNameTitle, *refusal);
        ui->txtRenameQuote->setFocus();
        return;
    }
    const auto refuseTakenName = [&] {
        m_platform.messages.warn(messageParent(), QStringLiteral("Quote already exists"),
                                 QStringLiteral("The quote ") + newName
                                     + QStringLiteral(" already exists, please enter a different "
                                                      "name for the quote !"));
        ui->txtRenameQuote->clear();
        ui->txtRenameQuote->setFocus();
    };
    if (nameTaken(newName)) {
        refuseTakenName();
        return;
    }
    // The file itself is moved, not written anew from the screen: edits made
    // in the editor since the last refresh and every byte of the file stay,
    // and nothing is lost if the move fails. The move is one step that
    // refuses a taken name, so a name taken meanwhile (from another computer
    // sharing the folder) is never overwritten.
    const QString newFile = Paths::quoteFile(newName);
    if (const WriteResult renamed = m_platform.files.renameFile(*oldFile, newFile); !renamed) {
        if (!m_platform.files.fileExists(*oldFile))
            m_quote.reportNotFound(oldName);
        else if (nameTaken(newName))
            refuseTakenName();
        else
            m_platform.messages.warn(messageParent(), QStringLiteral("Quote not renamed"),
                                     QStringLiteral("The quote ") + oldName
                                         + QStringLiteral(" could not be renamed to ") + newName
                                         + QStringLiteral(": ") + renamed.reason()
                                         + QStringLiteral(", it keeps its name !"));
        return;
    }
    ui->txtOpenQuoteName->setText(newName);
    m_openQuoteFile = newFile;
    // What is shown is what the renamed file now holds.
    if (std::optional<QString> text = Store::readWholeFile(m_platform.files, newFile)) {
        Store::trimOneCrLf(*text);
        setOpenQuoteText(*text);
    }
    fillSavedQuotesList();
    ui->txtRenameQuote->clear();
    m_platform.messages.warn(messageParent(), QStringLiteral("Quote renamed"),
                             QStringLiteral("The quote has been renamed to ") + newName
                                 + QStringLiteral(" !"));
}

void frmOpenSavedQuotes::cmdDelete_Click()
{
    // A quote already gone is not asked about.
    const std::optional<QString> file = openQuoteFile(
        QStringLiteral("No quote to delete"), QStringLiteral("Please open a quote to delete !"));
    if (!file)
        return;
    const QString name = ui->txtOpenQuoteName->text();
    if (!m_platform.messages.ask(messageParent(), QStringLiteral("Delete quote"),
                                 QStringLiteral("Are you sure that you want to delete the quote ")
                                     + name)) {
        m_platform.messages.inform(messageParent(), QStringLiteral("Quote delete canceld"),
                                   QStringLiteral("Quote delete canceld !"));
        return;
    }
    if (const WriteResult removed = m_platform.files.removeFile(*file); !removed) {
        if (!m_platform.files.fileExists(*file))
            m_quote.reportNotFound(name);
        else
            m_platform.messages.warn(
                messageParent(), QStringLiteral("Quote not deleted"),
                QStringLiteral("The quote ") + name + QStringLiteral(" could not be deleted: ")
                    + removed.reason() + QStringLiteral(", it is still saved !"));
        return;
    }
    setOpenQuoteText(QString());
    fillSavedQuotesList();
    showNumberOfQuotes();
    m_platform.messages.inform(messageParent(), QStringLiteral("Quote deleted"),
                               QStringLiteral("The quote ") + name
                                   + QStringLiteral(" has been deleted !"));
    if (ui->lstSavedQuotes->count() == 0)
        m_platform.messages.inform(messageParent(), EmptyListTitle, EmptyListText);
}

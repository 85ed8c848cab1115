#include "setup/SetupColumn.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "store/Paths.h"
#include "store/Store.h"

#include <QLineEdit>
#include <QListWidget>

const QString SetupColumn::AddedSuffix = QStringLiteral(
    " has been added, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");
const QString SetupColumn::InUseSuffix = QStringLiteral(" is already in use !");
const QString SetupColumn::DeletedSuffix = QStringLiteral(
    " has been deleted, you will need to refresh the terms and rates on the main screen to view "
    "the changes !");

SetupColumn::SetupColumn(Platform &platform, QWidget *window, SetupColumnConfig config)
    : m_platform(platform), m_window(window), m_config(std::move(config))
{
    m_config.input->setMaxLength(m_config.maxLength);
    if (m_config.digitsOnly)
        DigitKeyFilter::install(m_config.input);
    m_config.list->setSelectionMode(QAbstractItemView::SingleSelection);
}

void SetupColumn::load()
{
    LoadListFromFolder(
        m_platform, m_window, ListControl(m_config.list),
        {m_config.folder, m_config.texts.pluralTitle, m_config.texts.emptyList, m_config.reSort});
}

QString SetupColumn::entryText(const QString &typed) const
{
    // A number beyond the single-precision range is refused like any other
    // text that is not a number, rather than stored as a file named "inf".
    const std::optional<float> value = m_platform.locale.toSingle(typed);
    if (!value)
        return QString();
    if (m_config.form == SetupEntryForm::Fixed)
        return m_platform.locale.fixed(double(*value));
    return m_platform.locale.general(*value);
}

void SetupColumn::add()
{
    const SetupColumnTexts &t = m_config.texts;
    const QString entry = entryText(m_config.input->text());
    if (entry.isEmpty()) {
        m_platform.messages.warn(m_window, t.title, t.invalidInput);
    } else if (Store::entryExists(m_platform.files, m_config.folder, entry)) {
        // The file decides, not the list: an entry made by hand under another
        // spelling (07 beside 7) is no duplicate.
        m_platform.messages.warn(m_window, t.title, t.entryPrefix + entry + InUseSuffix);
    } else if (const WriteResult created = Store::createEntry(m_platform.files, m_config.folder,
                                                              entry);
               !created) {
        // The list only ever shows what is on disk.
        m_platform.messages.warn(
            m_window, t.title,
            t.entryPrefix + entry + QStringLiteral(" could not be added, the file ")
                + Paths::entryFile(m_config.folder, entry) + QStringLiteral(" cannot be written: ")
                + created.reason() + QStringLiteral(" !"));
    } else {
        m_platform.messages.inform(m_window, t.title, t.entryPrefix + entry + AddedSuffix);
        ListControl(m_config.list).addItem(entry);
        if (m_config.reSort)
            m_config.reSort(ListControl(m_config.list));
    }
    cancel();
}

void SetupColumn::cancel()
{
    m_config.input->clear();
    m_config.input->setFocus();
}

void SetupColumn::remove()
{
    const SetupColumnTexts &t = m_config.texts;
    const QList<QListWidgetItem *> selected = m_config.list->selectedItems();
    const int row = selected.isEmpty() ? -1 : m_config.list->row(selected.first());
    const QString entry = row < 0 ? QString() : m_config.list->item(row)->text();

    if (entry.isEmpty()) {
        m_platform.messages.warn(m_window, t.title, t.nothingSelected);
    } else if (!m_platform.messages.ask(m_window, t.title, t.deleteQuestion + entry)) {
        m_platform.messages.inform(m_window, t.title, t.deleteRefused);
    } else if (!Store::entryExists(m_platform.files, m_config.folder, entry)) {
        // Removed outside the program: nothing is left to delete, so the
        // entry goes from the list rather than staying there for good.
        m_platform.messages.warn(m_window, t.title,
                                 QStringLiteral("The file (")
                                     + Paths::entryFile(m_config.folder, entry)
                                     + QStringLiteral(") no longer exists !"));
        takeOut(row);
    } else if (const WriteResult deleted = Store::deleteEntry(m_platform.files, m_config.folder,
                                                              entry);
               !deleted) {
        m_platform.messages.warn(
            m_window, t.title,
            t.entryPrefix + entry + QStringLiteral(" could not be deleted, the file ")
                + Store::entryFileOf(m_platform.files, m_config.folder, entry)
                      .value_or(Paths::entryFile(m_config.folder, entry))
                + QStringLiteral(" cannot be removed: ") + deleted.reason() + QStringLiteral(" !"));
    } else {
        m_platform.messages.inform(m_window, t.title, t.entryPrefix + entry + DeletedSuffix);
        takeOut(row);
    }
    tellIfEmpty();
}

void SetupColumn::takeOut(int row)
{
    ListControl(m_config.list).removeItem(row);
    // Nothing stays picked after a delete, so a second click on Delete
    // cannot remove a neighbour the user never chose.
    m_config.list->clearSelection();
    m_config.list->setCurrentRow(-1);
    if (m_config.reSort)
        m_config.reSort(ListControl(m_config.list));
}

void SetupColumn::tellIfEmpty()
{
    if (m_config.list->count() == 0)
        m_platform.messages.inform(m_window, m_config.texts.pluralTitle, m_config.texts.emptyList);
}

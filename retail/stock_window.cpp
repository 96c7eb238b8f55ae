#include "retail/stock_window.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "common/ordinary_values.h"
#include "common/pass_over.h"
#include "common/window_helpers.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/services/services.h"
#include "platform/values/error.h"

StockWindow::StockWindow(QWidget* parent) : RecordForm(parent) {}

StockWindow::~StockWindow() = default;

QString StockWindow::connectionString() const { return recordWindowConnectionString(); }

void StockWindow::connectEntryButtons()
{
    onClick(clearEntryButton, [this] { clearEntry(); });
    onClick(clearReturnedButton, [this] { clearReturned(); });
    onClick(clearLostButton, [this] { clearLost(); });
}

// ---------------------------------------------------------------- load

void StockWindow::placeButtonsWithoutAddAndDelete()
{
    qv::place(editRecordButton, 59, 0, 1095, 300);
    qv::place(updateRecordButton, 59, 0, 1095, 300);
    qv::place(refreshRecordsButton, 1213, 0, 1095, 300);
    qv::place(cancelChangeButton, 1213, 0, 1095, 300);
    qv::place(closeRecordWindowButton, 2367, 0, 1095, 300);
}

void StockWindow::formLoad()
{
    removeCloseCommand(this);
    fieldBoxes.value(StockPosting::QuantityBox)->setText(QString());
    try {
        RecordForm::formLoad();
    } catch (const std::exception& e) {
        // Without its database the window has nothing to show: say why and go.
        const auto* error = dynamic_cast<const qv::Error*>(&e);
        qv::ui().msgBox(error ? error->description() : QString::fromLocal8Bit(e.what()));
        unload();
        return;
    }
    fieldBoxes.value(StockPosting::QuantityBox)->setText(QString());
    supplierBox->bind(primaryRecordset.get(), QStringLiteral("SourceOrSupplier"));
    attachGrid();
    passOver([this] { primaryRecordset->requery(); });
    passOver([this] { currentRecordChanged(); });
}

void StockWindow::attachGrid()
{
    // A pick in the grid leaves the item shown, and with it any entry typed.
    stockGrid->beforeRowPick = [this] { return settleEntry(); };
    const QList<qv::GridColumn> columns = {
        // The product's name has the room of an ordinary one; the number
        // and the price keep to what their captions need, so that all
        // three stay in sight beside the scroll bar of a long list.
        {QStringLiteral("Category"), QStringLiteral("Category"), QString(), categoryColumnTwips,
         OrdinaryValue::productName},
        {QStringLiteral("SystemStockNumber"), QStringLiteral("Stock Number"), QString(), 1400},
        {QStringLiteral("Price"), QStringLiteral("Selling Price"), QStringLiteral("\"$\"#,##0.00"), 1280},
    };
    stockGrid->setDataSource(primaryRecordset, columns);
}

void StockWindow::detachGrid() { stockGrid->setDataSource(nullptr); }

// ---------------------------------------------------------------- record form

void StockWindow::setBrowsingButtons(bool flag)
{
    RecordForm::setBrowsingButtons(flag);
    // These windows neither add nor delete rows.
    addRecordButton->setVisible(false);
    deleteRecordButton->setVisible(false);
}

void StockWindow::editRecord()
{
    try {
        recordStatusLabel->setText(QStringLiteral("Edit record"));
        editingRecord = true;
        setBrowsingButtons(false);
    } catch (const std::exception&) {
        cancelRecordChange();
    }
}

void StockWindow::cancelRecordChange()
{
    const double edited = itemShown() ? primaryRecordset->bookmark() : 0;
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); });
    // Back on another item (the one edited was deleted meanwhile), the
    // quantity typed would be posted on that one.
    if (!itemShown() || primaryRecordset->bookmark() != edited)
        fieldBoxes.value(StockPosting::QuantityBox)->setText(QString());
}

void StockWindow::browse()
{
    editingRecord = false;
    addingRecord = false;
    passOver([this] { setBrowsingButtons(true); });
}

bool StockWindow::itemShown() const
{
    return primaryRecordset && primaryRecordset->isOpen() && primaryRecordset->hasCurrentRecord();
}

bool StockWindow::itemGone() const
{
    if (!itemShown() || !db)
        return false;
    try {
        return db->execute(QStringLiteral("SELECT 1 FROM StockControl WHERE rowid = ?"), {primaryRecordset->bookmark()})
            ->eof();
    } catch (const std::exception&) {
        return false;   // not known to be gone: the posting says what stops it
    }
}

bool StockWindow::post(StockPosting::Steps steps, const std::function<void()>& whenSaved)
{
    // With no item there is nothing to book onto; the entry goes as after a posting.
    if (!itemShown()) {
        if (steps & StockPosting::EmptyEntry)
            StockPosting::emptyEntry(fieldBoxes);
        return true;
    }
    if (itemGone()) {
        dropEntryOfGoneItem();
        return false;
    }
    // What the user typed, given back should the table refuse the posting.
    QMap<qv::TextBox*, QString> typed;
    for (qv::TextBox* box : std::as_const(fieldBoxes))
        if (box && box->isDirty())
            typed.insert(box, box->text());

    bool reorder = false;
    const bool saved = reportErrors([&] {
        primaryRecordset->resync();
        if (steps & StockPosting::UndoReturned)
            StockPosting::refuseReturnBeyondSoldAndLost(fieldBoxes);
        StockPosting::run(fieldBoxes, steps & ~StockPosting::ReorderWarning);
        reorder = (steps & StockPosting::ReorderWarning) && StockPosting::belowReorderLevel(fieldBoxes);
        primaryRecordset->updateBatch();
    });
    if (!saved) {
        // Nothing was booked: the row as the table holds it, the typing over it.
        passOver([this] { primaryRecordset->cancelUpdate(); });
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            it.key()->setBoxText(it.value());
        return false;
    }
    if (whenSaved)
        whenSaved();
    if (reorder)
        StockPosting::warnToReorder();
    return true;
}

void StockWindow::updateRecord() { postEntry(); }

bool StockWindow::postEntry()
{
    if (!entryUnitsReadable())
        return false;
    passOver([this] { attachGrid(); });
    if (!post(StockPosting::kUpdate))
        return false;
    browse();
    return true;
}

bool StockWindow::entryUnitsReadable()
{
    // Each is read as the slot buttons read a quantity: a number of at least
    // one unit, or nothing typed. Units go back only through the returned
    // box; "-1" returned would book a sale and run the returned total back,
    // "2,5" anywhere would book 2. While browsing (the amounts posted on the
    // way to another item or out of the window) Update is not there to click.
    const QString then = editingRecord
                             ? QStringLiteral("click the Update button again.")
                             : QStringLiteral("post it again, or clear it with its X button.");
    const QPair<int, QString> entries[] = {
        {StockPosting::QuantityBox, QStringLiteral("A quantity for a Product was not included. Please enter now and ")},
        {StockPosting::ReturnedBox, QStringLiteral("Returned To Stock takes a number of units of at least 1, like 1 or "
                                                   "2.5. Please enter it and ")},
        {StockPosting::LostBox, QStringLiteral("Lost/Damaged takes a number of units of at least 1, like 1 or 2.5. "
                                               "Please enter it and ")},
    };
    for (const auto& [index, refusal] : entries) {
        qv::TextBox* box = fieldBoxes.value(index);
        if (!box || box->text().trimmed().isEmpty() || AppointmentBook::quantityToPost(box->text()))
            continue;
        box->setFocus();
        qv::ui().msgBox(refusal + then);
        return false;
    }
    return true;
}

bool StockWindow::settleEntry()
{
    if (!StockPosting::entryTyped(fieldBoxes))
        return true;
    const int answer = qv::ui().msgBox(
        QStringLiteral("The amounts typed for this item have not been posted to the stock. Post them now? "
                       "(No clears them.)"),
        qv::MsgStyle::YesNo | qv::MsgStyle::Question,
        QStringLiteral("Post amounts"));
    if (answer == qv::MsgResult::Yes)
        return postEntry();
    StockPosting::emptyEntry(fieldBoxes);
    return true;
}

void StockWindow::refreshRecords()
{
    if (!settleEntry())
        return;
    forgetUnpostedSubtotal();
    // Only what was typed into the row's boxes is saved, as leaving the row
    // saves it; no figure is computed. An item deleted meanwhile has nothing
    // left to save.
    if (itemShown() && !itemGone() && !reportErrors([this] { primaryRecordset->update(); }))
        return;
    rereadRows();
}

void StockWindow::rereadRows()
{
    passOver([this] { primaryRecordset->cancelUpdate(); });
    passOver([this] { detachGrid(); });
    passOver([this] { primaryRecordset->requery(); });
    passOver([this] { attachGrid(); });
}

void StockWindow::dropEntryOfGoneItem()
{
    rereadRows();
    // The unbound quantity would stay behind on the row now shown; the other
    // entry boxes show that row's own figures again.
    fieldBoxes.value(StockPosting::QuantityBox)->setText(QString());
    browse();
    qv::ui().msgBox(QStringLiteral("This item was deleted in another window; what was typed for it was not posted "
                                   "or saved."));
}

void StockWindow::forgetUnpostedSubtotal()
{
    if (!StockPosting::entryTyped(fieldBoxes))
        passOver([this] { fieldBoxes.value(StockPosting::EntryTotalBox)->refresh(); });
}

// Close, Esc and every other way out: the record form asks about anything
// typed, then saves what was typed into the row; no figure is computed.
void StockWindow::formUnload(bool& cancel)
{
    forgetUnpostedSubtotal();
    RecordForm::formUnload(cancel);
}

bool StockWindow::holdsUnsavedWork() const
{
    return RecordForm::holdsUnsavedWork() || StockPosting::entryTyped(fieldBoxes);
}

// No at the way-out question: the amounts go unposted, and an Edit is
// cancelled as its Cancel does.
void StockWindow::dropUnsavedWork()
{
    StockPosting::emptyEntry(fieldBoxes);
    if (isChangingRecord())
        cancelRecordChange();
}

// Each move asks about an entry typed on the item being left; a posting the
// table refuses keeps the window where it is.
bool StockWindow::mayMoveOn()
{
    return settleEntry();
}

// What stands in the entry boxes now is a subtotal at most: the row being
// left keeps its own.
void StockWindow::beforeMove()
{
    StockPosting::emptyEntry(fieldBoxes);
    forgetUnpostedSubtotal();
}

// ---------------------------------------------------------------- entry boxes

void StockWindow::clearEntry()
{
    passOver([this] {
        if (qv::ui().msgBox(QStringLiteral("Delete the Current Quantity This Entry and Total This Entry? "),
                            qv::MsgStyle::YesNo | qv::MsgStyle::Question, QStringLiteral("Delete amounts"))
            != qv::MsgResult::Yes)
            return;
        fieldBoxes.value(StockPosting::QuantityBox)->setBoxText(QString());
        fieldBoxes.value(StockPosting::EntryTotalBox)->setBoxText(QString());
    });
}

void StockWindow::clearReturned() { fieldBoxes.value(StockPosting::ReturnedBox)->setBoxText(QString()); }

void StockWindow::clearLost() { fieldBoxes.value(StockPosting::LostBox)->setBoxText(QString()); }

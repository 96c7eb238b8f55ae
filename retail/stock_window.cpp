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
    cancelRereading([this] { detachGrid(); }, [this] { attachGrid(); });
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
    // "2,5" anywhere would book 2.
    const QPair<int, QString> entries[] = {
        {StockPosting::QuantityBox,
         QStringLiteral("A quantity for a Product was not included. Please enter now and click the Update button again.")},
        {StockPosting::ReturnedBox,
         QStringLiteral("Returned To Stock takes a number of units of at least 1, like 1 or 2.5. Please enter it and "
                        "click the Update button again.")},
        {StockPosting::LostBox,
         QStringLiteral("Lost/Damaged takes a number of units of at least 1, like 1 or 2.5. Please enter it and click "
                        "the Update button again.")},
    };
    for (const auto& [index, refusal] : entries) {
        qv::TextBox* box = fieldBoxes.value(index);
        if (!box || box->text().trimmed().isEmpty() || AppointmentBook::quantityToPost(box->text()))
            continue;
        box->setFocus();
        qv::ui().msgBox(refusal);
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
    if (settleEntry())
        postAndReload(StockPosting::kRecompute);
}

bool StockWindow::postAndReload(StockPosting::Steps steps)
{
    if (itemGone()) {
        // Deleted in another window meanwhile: there is nothing left to post
        // onto or to save, and the rows read again no longer hold it.
        passOver([this] { primaryRecordset->cancelUpdate(); });
    } else {
        if (!post(steps))
            return false;
        passOver([this] {
            primaryRecordset->moveNext();
            if (primaryRecordset->eof())
                primaryRecordset->moveFirst();
        });
    }
    passOver([this] { detachGrid(); });
    passOver([this] { primaryRecordset->requery(); });
    passOver([this] { attachGrid(); });
    return true;
}

void StockWindow::closeRecordWindow()
{
    if (!settleBeforeLeaving(windowTitle()) || !postAndReload(StockPosting::kRecompute))
        return;
    // Shown empty only: the row now current gets no change from it.
    fieldBoxes.value(StockPosting::QuantityBox)->setText(QString());
    fieldBoxes.value(StockPosting::EntryTotalBox)->setText(QString());
    unload();
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

// What stands in the entry boxes now is a subtotal at most: it belongs to
// the row being left and goes with it, emptied.
void StockWindow::beforeMove()
{
    StockPosting::emptyEntry(fieldBoxes);
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

#include "reports/report_fill.h"
#include "common/connections.h"
#include "platform/data/recordset.h"

void reportFill(qv::Report& report, const QString& query)
{
    // A connection of the report's own, with the careful path; the rows and
    // then the connection close once the preview has been closed.
    ReportQuery rows(query);
    report.setDataSource(rows.recordset());
    report.show();
    report.setDataSource(nullptr);
    rows.close();
    qv::giveBackFreedMemory();
}

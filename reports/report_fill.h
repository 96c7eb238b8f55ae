#pragma once
// How every window fills a report: a connection of its own on the program's
// database, the report's query run as a read-only command, the rows handed to
// the layout, the preview shown modally, then the rows and the connection let
// go. A failing query reaches the caller as qv::Error (the caller's guard
// shows the data layer's text).
#include "platform/report/report.h"
#include <QString>

void reportFill(qv::Report& report, const QString& query);

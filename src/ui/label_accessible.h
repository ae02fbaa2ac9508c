#pragma once

#include <QAccessible>

class QObject;
class QString;

// Screen readers see a button-like label as a button with a press action; installed once, by
// the first label.
QAccessibleInterface* buttonLabelFactory(const QString& /*className*/, QObject* object);

#include "gui/file_filter.h"

#include <QStringList>

namespace habitopia::gui {
namespace {

QString PatternsOf(const QString& patterns) {
  QStringList result;
  const auto add = [&result](const QString& pattern) {
    if (!pattern.isEmpty() && !result.contains(pattern)) result << pattern;
  };
  for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    pattern = pattern.trimmed();
    if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    add(pattern);
    add(pattern.toLower());
    add(pattern.toUpper());
  }
  return result.join(QLatin1Char(' '));
}

QString NameWithoutPatterns(QString name) {
  name = name.trimmed();
  const qsizetype open = name.lastIndexOf(QLatin1Char('('));
  if (open > 0 && name.endsWith(QLatin1Char(')'))) name = name.left(open).trimmed();
  return name;
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = PatternsOf(parts[i + 1]);
    if (patterns.isEmpty()) continue;
    entries << NameWithoutPatterns(parts[i]) + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

QString FilterSuffix(const QString& qtFilterEntry) {
  const qsizetype open = qtFilterEntry.lastIndexOf(QLatin1Char('('));
  const qsizetype close = qtFilterEntry.lastIndexOf(QLatin1Char(')'));
  if (open < 0 || close < open) return {};
  const QString first = qtFilterEntry.mid(open + 1, close - open - 1)
                            .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                            .value(0);
  if (!first.startsWith(QLatin1String("*."))) return {};
  const QString suffix = first.mid(2);
  if (suffix.isEmpty() || suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')))
    return {};
  return suffix;
}

}  // namespace habitopia::gui

// The controller's dialog filters as the Qt file dialog reads them.

#include "gui/file_filter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/main_form.h"

namespace habitopia::gui::test {
namespace {

// The names a dialog with `filter`'s first entry lists in `folder`.
QStringList Listed(const QString& folder, const QString& filter) {
  const QStringList patterns = QFileDialog(nullptr, {}, {}, filter).nameFilters();
  const QString first = patterns.front();
  const QRegularExpression inside(QStringLiteral("\\(([^)]*)\\)$"));
  const QStringList globs = inside.match(first).captured(1).split(QLatin1Char(' '));
  return QDir(folder).entryList(globs, QDir::Files, QDir::Name);
}

TEST(FileFilter, PairsBecomeNamedPatternLists) {
  EXPECT_EQ(QtFileFilter("3-D printer file (*.stl)|*.stl|All files|*.*"),
            QStringLiteral("3-D printer file (*.stl *.STL);;All files (*)"));
  EXPECT_EQ(QtFileFilter("Audio Video Interleaved File|*.AVI"),
            QStringLiteral("Audio Video Interleaved File (*.AVI *.avi)"));
  // The name's own pattern text gives way to the patterns the pair lists.
  EXPECT_EQ(QtFileFilter("IUCr cif file (cif.*)|*.cif"),
            QStringLiteral("IUCr cif file (*.cif *.CIF)"));
  EXPECT_EQ(QtFileFilter(""), QString());
  EXPECT_EQ(QtFileFilter("name without patterns|"), QString());
}

TEST(FileFilter, TheOpenDialogListsEveryKindOfModelFile) {
  QTemporaryDir folder;
  for (const char* name : {"a.mor", "b.wrl", "c.wrz", "d.cif", "E.CIF", "notes.txt"}) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  EXPECT_EQ(Listed(folder.path(), QtFileFilter(kOpenFilter)),
            (QStringList{QStringLiteral("E.CIF"), QStringLiteral("a.mor"), QStringLiteral("b.wrl"),
                         QStringLiteral("c.wrz"), QStringLiteral("d.cif")}));
}

TEST(FileFilter, TheChosenFileTypeGivesTheExtensionOfANameTypedWithoutOne) {
  const QStringList entries = QtFileFilter(kMovieFilter).split(QStringLiteral(";;"));
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(FilterSuffix(entries[0]), QStringLiteral("AVI"));
  EXPECT_EQ(FilterSuffix(entries[1]), QStringLiteral("mp4"));
  EXPECT_EQ(FilterSuffix(entries[2]), QStringLiteral("webm"));
  EXPECT_EQ(FilterSuffix(entries[3]), QString()) << "every file: the dialog's default stays";
  EXPECT_EQ(FilterSuffix(QStringLiteral("Models (model.*)")), QString());
  EXPECT_EQ(FilterSuffix(QStringLiteral("no patterns")), QString());
}

}  // namespace
}  // namespace habitopia::gui::test

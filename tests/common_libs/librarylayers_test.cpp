#include "testroot.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace {
// Paths of the files under one folder of the source tree, relative to the tree.
QStringList filesUnder(const QString& tree, const QString& folder, const QStringList& patterns) {
    QStringList files;
    QDirIterator it(tree + QLatin1Char('/') + folder, patterns, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(tree).relativeFilePath(it.next());
    }
    return files;
}

bool anyEndsWith(const QStringList& paths, const QString& include) {
    return std::any_of(paths.begin(), paths.end(), [&](const QString& path) {
        return path == include || path.endsWith(QLatin1Char('/') + include);
    });
}

// "common_libs/x/a.cpp: logger.h" for every include in a library's file of a header that lives
// in the unit (kc40/) or the tools (tools/). A header the libraries have themselves is theirs,
// whatever the unit holds under the same name.
QStringList includesFromAbove(const QString& tree) {
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*["<]([^">]+)[">])"),
                                            QRegularExpression::MultilineOption);
    const QStringList library = filesUnder(tree, QStringLiteral("common_libs"), {"*.h"});
    const QStringList above = filesUnder(tree, QStringLiteral("kc40"), {"*.h"}) +
                              filesUnder(tree, QStringLiteral("tools"), {"*.h"});
    QStringList found;
    for (const QString& file : filesUnder(tree, QStringLiteral("common_libs"), {"*.h", "*.cpp"})) {
        QFile source(tree + QLatin1Char('/') + file);
        if (!source.open(QIODevice::ReadOnly)) {
            continue;
        }
        auto matches = include.globalMatch(QString::fromUtf8(source.readAll()));
        while (matches.hasNext()) {
            const QString header = matches.next().captured(1);
            const QFileInfo beside(QFileInfo(source).absolutePath() + QLatin1Char('/') + header);
            const QString besidePath = QDir(tree).relativeFilePath(beside.absoluteFilePath());
            const bool fromAbove =
                beside.exists() ? !besidePath.startsWith(QLatin1String("common_libs/"))
                                : !anyEndsWith(library, header) && anyEndsWith(above, header);
            if (fromAbove) {
                found << file + QStringLiteral(": ") + header;
            }
        }
    }
    return found;
}

TEST(LibraryLayers, NoLibraryIncludesAHeaderOfTheUnitOrTheTools) {
    EXPECT_EQ(includesFromAbove(QStringLiteral(KC40_SOURCE_DIR)).join(QLatin1Char('\n')), "");
}

struct IncludeCase {
    const char* name;
    QByteArray line;
    bool fromAbove;
};

TEST(LibraryLayers, IncludesAreFoundWhereverTheHeaderLives) {
    const IncludeCase cases[] = {
        {"header of the unit", R"(#include "logger.h")", true},
        {"header of a tool, in angle brackets", "#include <rawpty.h>", true},
        {"header of the unit with its folder", R"(#include "utility/logger.h")", true},
        {"header of the unit by a relative path", R"(#  include "../../kc40/utility/logger.h")",
         true},
        {"header of a library, also named in the unit", R"(#include "platform.h")", false},
        {"header of a library by a relative path", R"(#include "../platform/platform.h")", false},
        {"Qt header", "#include <QString>", false},
    };
    for (const IncludeCase& c : cases) {
        TestRoot tree;
        tree.writeFile("/kc40/utility/logger.h", "");
        tree.writeFile("/kc40/platform.h", "");
        tree.writeFile("/tools/common/rawpty.h", "");
        tree.writeFile("/common_libs/platform/platform.h", "");
        tree.writeFile("/common_libs/configuration/systemsetup.cpp", c.line + '\n');
        EXPECT_EQ(includesFromAbove(tree.path()).size(), c.fromAbove ? 1 : 0) << c.name;
    }
}
} // namespace

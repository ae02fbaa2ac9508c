#include "forms/car/car_layout.h"
#include "forms/work/jobs.h"
#include "forms/work/work.h"
#include "game_fixture.h"
#include "state/courses.h"

#include <QRegularExpression>

#include <map>
#include <optional>

namespace {

using Field = Int16 GameState::*;
// Keyed by the field's name: member pointers have no order.
using Levels = std::map<std::string, int>;

std::string key(Field f) {
    static const std::pair<Field, const char*> names[] = {
        {&GameState::Korpus, "Korpus"},      {&GameState::Dvigatel, "Dvigatel"},
        {&GameState::Pushka, "Pushka"},      {&GameState::Obshivka, "Obshivka"},
        {&GameState::SystNav, "SystNav"},    {&GameState::Bak, "Bak"},
        {&GameState::Radar, "Radar"},        {&GameState::ARadar, "ARadar"},
        {&GameState::Akkom, "Akkom"},        {&GameState::ZK, "ZK"},
        {&GameState::SchoolLevel, "School"}, {&GameState::DrivingLevel, "Driving"},
        {&GameState::TehnoLevel, "Tehno"},
    };
    for (const auto& [field, name] : names) {
        if (field == f) {
            return name;
        }
    }
    ADD_FAILURE() << "a requirement on a field no page can name";
    return "?";
}

// How the help pages name each ladder.
std::optional<Field> fieldNamed(QString words) {
    words = words.trimmed().toLower();
    if (words.startsWith(QStringLiteral("и "))) {
        words = words.mid(2).trimmed();
    }
    static const std::pair<const char*, Field> names[] = {
        {"корпус", &GameState::Korpus},
        {"движок", &GameState::Dvigatel},
        {"пушки", &GameState::Pushka},
        {"обшивка", &GameState::Obshivka},
        {"система наведения", &GameState::SystNav},
        {"бак", &GameState::Bak},
        {"радар", &GameState::Radar},
        {"антирадар", &GameState::ARadar},
        {"система питания", &GameState::Akkom},
        {"защитный комплекс", &GameState::ZK},
        {"образование", &GameState::SchoolLevel},
        {"вождение", &GameState::DrivingLevel},
        {"технич.навыки", &GameState::TehnoLevel},
        {"тех навыки", &GameState::TehnoLevel},
        {"тех.навыки", &GameState::TehnoLevel},
    };
    for (const auto& [name, field] : names) {
        if (words == QString::fromUtf8(name)) {
            return field;
        }
    }
    return std::nullopt;
}

// The level a ladder's name stands for, from the game's own ladders.
std::optional<int> levelNamed(Field field, QString name) {
    // The jobs page writes the school's fourth level with a hyphen.
    name.replace(QStringLiteral("(-ца)"), QStringLiteral("(ца)"));
    for (const auto& piece : car_layout::Pieces) {
        if (piece.level == field) {
            for (std::size_t n = 0; n < piece.names.size(); ++n) {
                if (name == fromUtf16(piece.names[n])) {
                    return static_cast<int>(n) + 1;
                }
            }
        }
    }
    for (const auto& course : courses::Courses) {
        if (course.level == field) {
            for (std::size_t n = 1; n < course.levels.size(); ++n) {
                if (name == fromUtf16(course.levels[n])) {
                    return static_cast<int>(n);
                }
            }
        }
    }
    return std::nullopt;
}

// "Корпус (Железный), движок(Дизельный) и вождение (Самовар)" → the levels it names.
Levels parsePage(const QString& text) {
    static const QRegularExpression pair(
        QStringLiteral(R"(([^,+()]+?)\s*\(((?:[^()]|\([^()]*\))*)\))"));
    Levels named;
    auto it = pair.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const auto field = fieldNamed(m.captured(1));
        if (!field) {
            ADD_FAILURE() << "the page names an unknown ladder: " << m.captured(1).toStdString();
            continue;
        }
        const auto level = levelNamed(*field, m.captured(2));
        if (!level) {
            ADD_FAILURE() << "no level " << m.captured(2).toStdString() << " on ladder "
                          << m.captured(1).toStdString();
            continue;
        }
        EXPECT_EQ(named.count(key(*field)), 0u) << "named twice: " << m.captured(1).toStdString();
        named[key(*field)] = *level;
    }
    return named;
}

// What hiring checks for a job, the chain's earlier jobs included: holding the job below
// means having met its requirements once.
Levels required(int job) {
    Levels levels;
    for (const jobs::Requirement& r : jobs::Requirements) {
        if (r.job != job) {
            continue;
        }
        if (r.field == jobs::CurrentJobField) {
            for (const auto& [f, l] : required(r.level)) {
                levels[f] = std::max(levels[f], l);
            }
        } else {
            levels[key(r.field)] = std::max(levels[key(r.field)], r.level);
        }
    }
    return levels;
}

class HelpPagesTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        work().show();
    }
    QString page(const char* label) { return ctl(work(), label)->text(); }
};

TEST_F(HelpPagesTest, EveryPageNamesWhatHiringChecks) {
    const struct {
        int job;
        const char* textLabel;
        int chainBelow; // 0: the page stands alone
    } pages[] = {{1, "Label6", 0},  {2, "Label7", 0},  {3, "Label8", 0},  {4, "Label9", 0},
                 {5, "Label16", 0}, {6, "Label14", 5}, {7, "Label18", 6}, {8, "Label20", 7}};
    std::map<int, Levels> shown;
    for (const auto& p : pages) {
        SCOPED_TRACE(p.textLabel);
        Levels levels = p.chainBelow != 0 ? shown.at(p.chainBelow) : Levels{};
        for (const auto& [f, l] : parsePage(page(p.textLabel))) {
            levels[f] = l;
        }
        shown[p.job] = levels;
        EXPECT_EQ(levels, required(p.job)) << "job " << p.job;
    }
    // The top job asks for the top of everything, as its page says.
    EXPECT_TRUE(parsePage(page("Label11")).empty());
    EXPECT_TRUE(page("Label11").contains(QStringLiteral("всё оборудование")));
    const Levels top = required(9);
    EXPECT_EQ(top.size(), 13u);
    for (const auto& [f, l] : top) {
        EXPECT_EQ(l, 5);
    }
}

TEST_F(HelpPagesTest, ThePageParserCatchesAWrongLevel) {
    // The very mistake the old taxi-park page made: a tank one level short.
    const Levels named = parsePage(QStringLiteral("Бак (Ампоксерный), тех.навыки (Золотце)"));
    EXPECT_EQ(named.at("Bak"), 3);
    EXPECT_EQ(named.at("Tehno"), 5);
    EXPECT_NE(required(5).at("Bak"), named.at("Bak"));
}

} // namespace

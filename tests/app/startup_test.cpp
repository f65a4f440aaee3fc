// A settings file is a round trip: the window started on it shows the inputs and the
// results the batch calculator gives for the same file (`unctora-calc --ini`), and
// Quit writes the same [Data] values back. Generated files cover every grease,
// condition, sub-variant and bearing type in both unit systems.

#include "core/calcinputs.h"
#include "files/settingsdata.h"
#include "mainwindow_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <map>
#include <random>

using namespace unctora;

namespace {

struct Generated {
    int units = 0;
    std::map<std::string, int> data; // stored key -> value, as written
};

// Indexes anywhere in their range (now and then one past it), numbers mostly in
// range and now and then beyond it; the grease is drawn evenly, so that each of
// the fourteen is tried with conditions that allow it and with some that do not.
Generated generate(std::mt19937& random, int n) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Generated g;
    g.units = n % 2;
    for (const core::InputField& f : core::inputFields()) {
        if (!f.stored)
            continue;
        int v;
        if (f.name == "Grease")
            v = n % core::kGreaseCount;
        else if (f.number)
            v = pick(0, 19) == 0 ? f.max + pick(1, 500) : pick(f.min, std::min(f.max, 3000));
        else
            v = pick(0, 24) == 0 ? f.max + 1 : pick(0, f.max);
        g.data[files::storedKey(f)] = v;
    }
    // Mostly a real bearing at a real speed, so that the greases have a chance.
    if (pick(0, 4) != 0) {
        const int bore = pick(10, 400);
        g.data["Bore_mm"] = bore;
        g.data["D_mm"] = bore + pick(10, 200);
        g.data["B_mm"] = pick(8, 150);
        g.data["Speed"] = pick(5, 3000);
    }
    return g;
}

QByteArray settingsText(const Generated& g) {
    QByteArray text = "[Options]\nUnits=" + QByteArray::number(g.units) + "\nLanguage=English\n[Data]\n";
    for (const auto& [key, value] : g.data)
        text += QByteArray::fromStdString(key) + "=" + QByteArray::number(value) + "\n";
    return text;
}

QJsonObject batchOnIni(const QString& iniPath, int units) {
    QProcess calc;
    calc.start(UNCTORA_CALC, {"--ini", iniPath, "--format", "jsonl", "--units", units ? "imperial" : "si"});
    if (!calc.waitForFinished(20000)) {
        ADD_FAILURE() << "unctora-calc did not finish";
        return {};
    }
    const QByteArray out = calc.readAllStandardOutput();
    return QJsonDocument::fromJson(out.trimmed()).object();
}

// The [Data] section of a written settings file, key (as cased in the file) -> value.
std::map<std::string, int> dataSection(const QByteArray& ini) {
    std::map<std::string, int> data;
    const qsizetype start = ini.indexOf("[Data]");
    if (start < 0)
        return data;
    for (const QByteArray& line : ini.mid(start + 6).split('\n')) {
        if (line.startsWith('['))
            break;
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            data[line.left(eq).trimmed().toStdString()] = line.mid(eq + 1).trimmed().toInt();
    }
    return data;
}

class StartupTest : public MainWindowTest {};

TEST_F(StartupTest, AStoredGreaseIsKeptWhereTheStoredInputsAllowIt) {
    // The first-start inputs with grease 8: --ini keeps it; so must the window, and so
    // must the file the next Quit writes.
    writeSettings("[Data]\nGrease=8\n");
    const QJsonObject batch = batchOnIni(env.settingsFile(), 0);
    ASSERT_EQ(batch["Grease"].toInt(), 8);
    start();
    EXPECT_EQ(dial().rgGreaseType->itemIndex(), 8);
    EXPECT_EQ(wholeNumber(dial().edTfcorr), batch["edTfcorr"].toString().toStdString());
    quit();
    EXPECT_TRUE(readSettings().contains("\nGrease=8\n")) << readSettings().toStdString();
}

TEST_F(StartupTest, GeneratedSettingsFilesAreARoundTrip) {
    std::mt19937 random(2026);
    int greasesKept = 0;
    for (int n = 0; n < 200; ++n) {
        Generated g = generate(random, n);
        writeSettings(settingsText(g));
        QJsonObject b = batchOnIni(env.settingsFile(), g.units);
        ASSERT_FALSE(b.isEmpty());
        // Every other file stores one of the greases its inputs allow: drawn blindly,
        // few of them would be.
        const QJsonArray allowed = b["Greases"].toArray();
        if (n % 2 == 0 && allowed.size() > 1) {
            g.data["Grease"] = allowed[1 + static_cast<int>(random() % (allowed.size() - 1))].toInt();
            writeSettings(settingsText(g));
            b = batchOnIni(env.settingsFile(), g.units);
        }
        SCOPED_TRACE("settings file " + std::to_string(n) + ":\n" + settingsText(g).toStdString());

        start();
        ASSERT_EQ(static_cast<int>(window->CurrentUnits()), g.units);
        const core::CalcInputs shown = window->readInputs();
        for (const core::InputField& f : core::inputFields())
            EXPECT_EQ(f.get(shown), b[QString::fromUtf8(f.name.data(), f.name.size())].toDouble()) << f.name;
        for (const char* field : {"edTf", "edTfcorr", "edGp", "edQf", "edBore_in", "edD_in", "edB_in"})
            EXPECT_EQ(wholeNumber(child<QLineEdit>(field)), b[field].toString().toStdString()) << field;
        QJsonArray enabled;
        auto* greases = dial().rgGreaseType;
        for (int i = 0; i < greases->count(); ++i)
            if (greases->isItemEnabled(i))
                enabled.append(i);
        EXPECT_EQ(enabled, b["Greases"].toArray());
        greasesKept += shown.Grease != 0 && shown.Grease == g.data.at("Grease");

        quit();
        // Quit writes back what the window used: the stored values where they were in
        // range, the value brought into range where not.
        const std::map<std::string, int> written = dataSection(readSettings());
        for (const core::InputField& f : core::inputFields()) {
            if (!f.stored)
                continue;
            const std::string key = files::storedKey(f);
            ASSERT_TRUE(written.count(key)) << key;
            const int used = b[QString::fromUtf8(f.name.data(), f.name.size())].toInt();
            EXPECT_EQ(written.at(key), used) << key;
            const int stored = g.data.at(key);
            if (stored >= f.min && stored <= f.max && f.name != "Grease" && f.name != "Replenishment") {
                EXPECT_EQ(written.at(key), stored) << key;
            }
        }
    }
    // The files must exercise the case that was lost: a stored grease that is kept.
    EXPECT_GT(greasesKept, 50);
}

} // namespace

// The window and the batch calculator show the same for the same inputs: every row
// of the example plant list and a few hundred generated ones go through the real
// main window and through unctora-calc's writer, and every field is compared.

#include "advice/notebox.h"
#include "cli/batch.h"
#include "io/csv.h"
#include "mainwindow_fixture.h"
#include "strings/stringtable.h"
#include "widgets/badge.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

using namespace unctora;

namespace {

struct Row {
    std::string line; // as the CSV has it, for the trace
    core::CalcInputs inputs;
};

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Rows with every index in and out of its range, numbers from 0 to past their
// bounds with fractions, and the cases that fail (D or B of 0).
std::string generatedRows(int count) {
    std::mt19937 random(13);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    std::string csv;
    for (int r = 0; r < count; ++r) {
        csv += "gen-" + std::to_string(r);
        for (const core::InputField& f : core::inputFields()) {
            csv += ',';
            if (f.number) {
                switch (pick(0, 5)) {
                case 0: csv += "0"; break;
                case 1: csv += std::to_string(pick(f.min, f.max)) + ".5"; break;
                case 2: csv += std::to_string(f.max + 1); break;
                case 3: csv += std::to_string(pick(f.min, std::min(f.max, 300))); break;
                default: csv += std::to_string(pick(f.min, f.max)); break;
                }
            } else if (f.name == "Outlets") {
                csv += f.items[pick(0, f.max)]; // read by the count of outlets, not an index
            } else {
                csv += std::to_string(pick(0, 9) == 0 ? f.max + 1 : pick(0, f.max));
            }
        }
        csv += '\n';
    }
    return csv;
}

std::vector<Row> readRows(const std::string& csv) {
    std::FILE* in = fmemopen(const_cast<char*>(csv.data()), csv.size(), "r");
    io::CsvReader reader(in);
    io::CsvRecord rec;
    std::vector<io::Column> columns;
    std::string error;
    std::vector<Row> rows;
    if (reader.next(rec) && io::parseHeader(rec.fields, rec.count, columns, error))
        while (reader.next(rec)) {
            Row row;
            for (std::size_t i = 0; i < columns.size() && i < rec.count; ++i) {
                if (!columns[i].field)
                    row.line += rec.fields[i];
                else if (!io::setInput(row.inputs, *columns[i].field, rec.fields[i], error))
                    ADD_FAILURE() << "row " << rec.line << ": " << error;
            }
            rows.push_back(row);
        }
    std::fclose(in);
    return rows;
}

std::vector<QJsonObject> runBatch(const std::string& csv, const strings::StringTable* texts,
                                  core::Units units, bool log) {
    std::FILE* in = fmemopen(const_cast<char*>(csv.data()), csv.size(), "r");
    char* buf = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buf, &size);
    std::FILE* err = std::tmpfile();
    cli::BatchOptions options;
    options.format = cli::OutputFormat::Jsonl;
    options.units = units;
    options.texts = texts;
    options.log = log;
    EXPECT_EQ(cli::runCsv(in, out, err, options, "plant list"), 0);
    std::fclose(out);
    std::fclose(in);
    std::fclose(err);
    std::vector<QJsonObject> objects;
    for (const QByteArray& line : QByteArray(buf, static_cast<qsizetype>(size)).split('\n'))
        if (!line.isEmpty())
            objects.push_back(QJsonDocument::fromJson(line).object());
    std::free(buf);
    return objects;
}

class ParityTest : public MainWindowTest {
protected:
    // Puts every row on the window and checks what it shows against the batch's row.
    // With log, the window runs with -Log and each row's last handler, the lubricator
    // choice, must log what the batch calculator logs for the row.
    void compare(const std::string& csv, core::Units units, bool log = false) {
        TfrmMain& w = log ? start({"-Log"}) : start();
        w.ApplyUnits(static_cast<int>(units));
        const strings::StringTable* texts = strings->table();
        const std::vector<Row> rows = readRows(csv);
        const std::vector<QJsonObject> batch = runBatch(csv, texts, units, log);
        auto* memoLog = child<QPlainTextEdit>("memoLog");
        ASSERT_EQ(rows.size(), batch.size());
        auto* memo = child<QPlainTextEdit>("memoNotes");
        auto* greases = child<TRadioGroup>("rgGreaseType");
        auto* badge = child<TBadge>("pbDS");
        auto* month = child<QLabel>("labUnitDS");
        auto* speed = child<TSpinEdit>("spedSpeed");
        for (std::size_t r = 0; r < rows.size(); ++r) {
            SCOPED_TRACE("row " + std::to_string(r + 1) + " " + rows[r].line);
            const QJsonObject& b = batch[r];
            w.setInputs(rows[r].inputs);
            if (log) {
                memoLog->clear();
                w.applyLubricatorChoice();
                QStringList lines;
                for (const QJsonValue& line : b["Log"].toArray())
                    lines << line.toString();
                EXPECT_GT(lines.size(), 10);
                EXPECT_EQ(memoLog->toPlainText().toStdString(), lines.join('\n').toStdString());
            }
            const core::CalcInputs shown = w.readInputs();
            for (const core::InputField& f : core::inputFields())
                EXPECT_EQ(f.get(shown), b[QString::fromUtf8(f.name.data(), f.name.size())].toDouble())
                    << f.name;
            // The whole number: on show, or in the tooltip of a shorter notation.
            for (const char* field : {"edTf", "edTfcorr", "edGp", "edQf", "edBore_in", "edD_in", "edB_in"})
                EXPECT_EQ(wholeNumber(child<QLineEdit>(field)), b[field].toString().toStdString()) << field;
            QJsonArray enabled;
            for (int i = 0; i < greases->count(); ++i)
                if (greases->isItemEnabled(i))
                    enabled.append(i);
            EXPECT_EQ(enabled, b["Greases"].toArray());

            const bool ok = b["Status"].toString() == "ok";
            EXPECT_EQ(ok, b["Setting"].isObject());
            if (ok) {
                const QJsonObject setting = b["Setting"].toObject();
                EXPECT_EQ(badge->text().toStdString(), setting["Text"].toString().toStdString());
                EXPECT_EQ(badge->textColour() == QColor(255, 0, 0), setting["Colour"] == "red");
                EXPECT_EQ(month->isVisibleTo(w.dialTab()), setting["Month"].isString());
                if (setting["Month"].isString()) {
                    EXPECT_EQ(month->text().toStdString(),
                              strings::LangStr(texts, setting["Month"].toString().toStdString()));
                }
                EXPECT_EQ(speed->palette().color(QPalette::Text) == QColor(255, 0, 0),
                          b["SpeedRed"].toBool());
            } else {
                EXPECT_TRUE(badge->text().isEmpty());
            }

            const QJsonArray pages = b["Pages"].toArray();
            const int count = static_cast<int>(pages.size());
            if (count == 0) {
                EXPECT_TRUE(memo->toPlainText().isEmpty());
            }
            for (int i = 0; i < count; ++i) {
                w.ShowNotePage(i);
                const std::string expected = advice::notePageHeader(texts, i, count) + "\n" +
                                             pages[i].toObject()["Text"].toString().toStdString();
                EXPECT_EQ(memo->toPlainText().toStdString(), expected) << "page " << i + 1;
            }
            // Past the last page the box wraps to the first: the window has no page more.
            if (count > 0) {
                w.ShowNotePage(count);
                EXPECT_TRUE(memo->toPlainText().startsWith(
                    QString::fromStdString(advice::notePageHeader(texts, 0, count))));
            }
        }
    }
};

TEST_F(ParityTest, ExamplePlantListShowsTheSameInWindowAndBatch) {
    const std::string csv = readFile(UNCTORA_SOURCE_DIR "/examples/plant.csv");
    ASSERT_FALSE(csv.empty());
    compare(csv, core::Units::SI);
    compare(csv, core::Units::Imperial, true);
}

TEST_F(ParityTest, GeneratedRowsShowTheSameInWindowAndBatch) {
    std::string header = "Id";
    for (const core::InputField& f : core::inputFields())
        header += "," + std::string(f.name);
    const std::string csv = header + "\n" + generatedRows(150);
    compare(csv, core::Units::SI);
    compare(csv, core::Units::Imperial);
    compare(header + "\n" + generatedRows(40), core::Units::SI, true);
}

} // namespace

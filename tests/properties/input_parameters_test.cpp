#include "properties/input_parameters.h"
#include "properties/pickers.h"
#include "sheet_fixture.h"
#include "support/scripted_ui.h"

namespace {

const QChar nameEnd(14);
const QChar valueEnd(15);

QString packed(std::initializer_list<std::pair<QString, QString>> rows)
{
    QString list;
    for (const auto &[name, value] : rows)
        list += name + nameEnd + value + valueEnd;
    return list;
}

} // namespace

TEST(InputParameterList, RoundTripsWithValuesUnescapedInTheGrid)
{
    const QString list = packed({{"a", "x &amp; y"}, {"b", ""}, {"c", "5 &lt; 6\tand &gt;"}});
    const QList<InputParameter> rows = unpackParameters(list);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].value, "x & y");
    EXPECT_EQ(rows[2].value, "5 < 6\tand >"); // a Tab in a value is kept whole
    EXPECT_EQ(packParameters(rows), list);
    EXPECT_EQ(unpackParameters(list + "d" + nameEnd + "half").size(), 3);
    EXPECT_EQ(packParameters({}), "");
}

TEST(InputParameterList, ListSeparatorsTypedIntoAFieldAreTakenOut)
{
    const QString typed = QString("a") + QChar(14) + "b" + QChar(16);
    EXPECT_EQ(cellText(" " + typed + "\t"), "ab");
    EXPECT_EQ(packParameters({{typed, typed}}), packed({{"ab", "ab"}}));
}

TEST(InputParameterList, NamesAreCheckedWhenTypedAndAtOk)
{
    TempHome home;
    ScopedScriptedUi ui;
    struct Case {
        QList<InputParameter> rows;
        const char *message;
    };
    const Case cases[] = {
        {{{"1a", ""}}, "Name can't start with digit. Please enter another name."},
        {{{"a b", ""}}, "Name can contain letters, digits and underscore only. Please enter another name."},
        {{{"table", ""}}, "Can't use name 'table'. Please choose another name."},
        {{{"", "v"}}, "Please enter a name for every input parameter."},
        {{{"p", ""}, {"p", ""}}, "Input parameter name 'p' is used more than once. Please choose another name."},
        {{{"Table", ""}, {"p", "&"}}, nullptr},
    };
    for (const Case &c : cases) {
        ui->messages.clear();
        EXPECT_EQ(parameterNamesAccepted(c.rows), c.message == nullptr);
        EXPECT_EQ(ui->messages.value(0), c.message ? c.message : "");
    }
    EXPECT_FALSE(parameterNameAccepted("table "));
    EXPECT_TRUE(parameterNameAccepted(""));
}

TEST(InputParameterList, TabMovesThroughTheCellsAndStopsAtTheEnds)
{
    struct Case {
        GridCell from;
        bool back;
        GridCell to;
    };
    const Case cases[] = {
        {{0, 0}, false, {0, 1}}, {{0, 1}, false, {1, 0}}, {{1, 1}, false, {1, 1}},
        {{1, 0}, true, {0, 1}},  {{0, 1}, true, {0, 0}},  {{0, 0}, true, {0, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tabMove(c.from, 2, c.back), c.to) << c.from.row << c.from.column << c.back;
}

class ParameterCommit : public SheetTest {};

TEST_F(ParameterCommit, OkCommitsTheListThroughTheSheet)
{
    select("Table");
    const QString list = packed({{"a", "x &amp; y"}});
    commitParameterList(list);
    EXPECT_EQ(stored("XSLT Input Parameters-Table"), list);
    EXPECT_EQ(row("XSLT Input Parameters").value, "Parameters");
    EXPECT_EQ(sheet().holder(Holder::txinp), list);
    commitParameterList("");
    EXPECT_EQ(stored("XSLT Input Parameters-Table"), "");
    EXPECT_EQ(row("XSLT Input Parameters").value, "");
}

TEST(Pickers, TheBorderPickerReadsWhatItCanAndAnswersOrSaysWhatIsMissing)
{
    TempHome home;
    ScopedScriptedUi ui;
    struct Load {
        const char *value;
        const char *width, *style, *colour;
    };
    const Load loads[] = {{"10px solid gray", "10", "solid", "gray"},
                          {"1px outset black", "1", "outset", "black"},
                          {"thin", "7", "dotted", "keep"},
                          {"60px dashed", "7", "dotted", "keep"}};
    for (const Load &l : loads) {
        BorderPicker picker{"7", "dotted", "keep"};
        picker.tryLoad(l.value);
        EXPECT_EQ(picker.width, l.width) << l.value;
        EXPECT_EQ(picker.style, l.style) << l.value;
        EXPECT_EQ(picker.colour, l.colour) << l.value;
    }
    struct Ok {
        BorderPicker picker;
        const char *answer;
        const char *message;
    };
    const Ok oks[] = {
        {{"0", "", ""}, "0px solid transparent", nullptr},
        {{"2", "dotted", "#FF0000"}, "2px dotted #FF0000", nullptr},
        {{"", "solid", "red"}, nullptr, "Please select a border width from dropdown list and then click OK."},
        {{"3", "", "red"}, nullptr, "Please select a border style from dropdown list and then click OK."},
        {{"3", "solid", "  "}, nullptr, "Please select or type color and then click OK."},
    };
    for (Ok o : oks) {
        ui->messages.clear();
        const std::optional<QString> answer = o.picker.accept();
        EXPECT_EQ(answer.value_or("-"), o.answer ? o.answer : "-");
        EXPECT_EQ(ui->messages.value(0), o.message ? o.message : "");
    }
    SizePicker size{"4"};
    size.tryLoad("");
    EXPECT_EQ(size.accept(), "4px");
    size.tryLoad("12px");
    EXPECT_EQ(size.accept(), "12px");
    EXPECT_FALSE(SizePicker{}.accept());
    EXPECT_EQ(ui->messages.last(), "Please select a value from dropdown list and then click OK.");
}

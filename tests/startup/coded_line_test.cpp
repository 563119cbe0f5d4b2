#include "sample_dir.h"
#include "startup/program_info.h"

#include <gtest/gtest.h>

using startup::CodedLineError;
using startup::decodeCodedLine;

namespace {

struct CodedCase {
    const char *what;
    QString line;
    QString text;
    std::vector<int> badGroups; // 1-based groups reported as out of range
};

class CodedLineDecoding : public ::testing::TestWithParam<CodedCase> {};

TEST_P(CodedLineDecoding, DecodesAndReportsBadGroups) {
    const CodedCase &c = GetParam();
    std::vector<CodedLineError> errors;
    EXPECT_EQ(decodeCodedLine(c.line, &errors), c.text) << c.what;
    std::vector<int> groups;
    for (const auto &e : errors) groups.push_back(e.group);
    EXPECT_EQ(groups, c.badGroups) << c.what;
}

// "中" is D6D0 in GBK: 54992, or -10544 as a negative code.
INSTANTIATE_TEST_SUITE_P(
    Table, CodedLineDecoding,
    ::testing::Values(
        CodedCase{"ascii", QStringLiteral("200065200066"), QStringLiteral("AB"), {}},
        CodedCase{
            "ascii with the high offset", QStringLiteral("500065200066"), QStringLiteral("AB"), {}},
        CodedCase{
            "zero group between", QStringLiteral("200065000000200066"), QStringLiteral("AB"), {}},
        CodedCase{"chinese, low offset", QStringLiteral("254992"), QStringLiteral("中"), {}},
        CodedCase{"chinese, high offset", QStringLiteral("554992"), QStringLiteral("中"), {}},
        CodedCase{"chinese, negative code", QStringLiteral("189456"), QStringLiteral("中"), {}},
        CodedCase{"empty line", QString(), QString(), {}},
        CodedCase{
            "short last group reading zero", QStringLiteral("20006500"), QStringLiteral("A"), {}},
        CodedCase{"short last group out of range",
                  QStringLiteral("20006520006"),
                  QStringLiteral("A"),
                  {2}},
        CodedCase{"blank group reads zero",
                  QStringLiteral("200065      200066"),
                  QStringLiteral("AB"),
                  {}},
        CodedCase{"code above 65535 skipped, rest decoded",
                  QStringLiteral("200065600000200066"),
                  QStringLiteral("AB"),
                  {2}},
        CodedCase{"negative value is below every code",
                  QStringLiteral("-00065200066"),
                  QStringLiteral("B"),
                  {1}},
        CodedCase{
            "letters stop the number", QStringLiteral("20A065200066"), QStringLiteral("B"), {1}},
        CodedCase{
            "exponent reads huge", QStringLiteral("9E9   200066"), QStringLiteral("B"), {1}}));

TEST(CodedLine, EveryEncodingOfTheSampleRoundTrips) {
    const QString text = QStringLiteral("中文Windows 7操作系统，请稍候...");
    EXPECT_EQ(decodeCodedLine(sample::encodeCodedLine(text, 200000)), text);
    EXPECT_EQ(decodeCodedLine(sample::encodeCodedLine(text, 500000)), text);
    EXPECT_EQ(decodeCodedLine(sample::encodeCodedLine(text, 200000, true)), text);
}

} // namespace

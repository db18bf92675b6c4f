// The one reader of a measured profile: what it accepts, each fault with
// its line, column and cell, and the limits that keep any file from
// blocking a face or growing it without bound (a FIFO, /dev/zero, a file
// too large, too many points).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "report/bed_profile.h"
#include "report/messages.h"

namespace saiha::report {
namespace {

TEST(BedProfile, ReadsWhatFacesWrite) {
  const BedProfileText p = readBedProfile(
      "\xEF\xBB\xBF" "name,z,x\r\n"
      "a,-5,0\r\n"
      "\r\n"
      "\"b, c\", -4.5 ,+10\r\n"
      "   \n"
      "d,\"1\",20\r\n");
  ASSERT_TRUE(p.ok());
  EXPECT_EQ(p.x, (std::vector<double>{0, 10, 20}));
  EXPECT_EQ(p.z, (std::vector<double>{-5, -4.5, 1}));
  EXPECT_EQ(p.zText[1], "-4.5");
  EXPECT_EQ(p.xText[1], "+10");
  EXPECT_EQ(p.lines, (std::vector<std::size_t>{2, 4, 6}));
  const BedProfileText comma = readBedProfile("x;z\n0;-5,5\n10;1,25\n", {';', true});
  ASSERT_TRUE(comma.ok());
  EXPECT_EQ(comma.z, (std::vector<double>{-5.5, 1.25}));
}

TEST(BedProfile, EachFaultNamesItsLineColumnAndCell) {
  const struct {
    const char* name;
    std::string text;
    BedFaultKind kind;
    std::size_t line;
    const char* column;
    const char* value;
    const char* english;  // what the message says
  } rows[] = {
      {"empty", "", BedFaultKind::Empty, 0, "", "", "the file is empty"},
      {"blank", "\n \n", BedFaultKind::Empty, 0, "", "", "the file is empty"},
      {"no z", "x,depth\n0,5\n", BedFaultKind::MissingColumn, 1, "z", "", "lacks column 'z'"},
      {"x twice", "x,z,x\n0,-5,0\n", BedFaultKind::DuplicateColumn, 1, "x", "", "'x' twice"},
      {"short record", "z,q,x\n-5,1,0\n-4,1\n", BedFaultKind::FieldCount, 3, "", "",
       "line 3: 2 fields where the header has 3"},
      {"nan", "x,z\n0,-5\n10,nan\n", BedFaultKind::NotANumber, 3, "z", "nan",
       "line 3: z 'nan' is not a finite number"},
      {"inf", "x,z\n0,-5\ninf,1\n", BedFaultKind::NotANumber, 3, "x", "inf", "x 'inf'"},
      {"1e400", "x,z\n0,-5\n10,1e400\n", BedFaultKind::NotANumber, 3, "z", "1e400", "z '1e400'"},
      {"unit", "x,z\n0,-5\n10,-4 m\n", BedFaultKind::NotANumber, 3, "z", "-4 m", "z '-4 m'"},
      {"1d-1", "x,z\n0,-5\n10,1d-1\n", BedFaultKind::NotANumber, 3, "z", "1d-1", "z '1d-1'"},
      {"not increasing", "x,z\n0,-5\n10,-4\n10,-3\n", BedFaultKind::NotIncreasing, 4, "x", "10",
       "line 4: x = 10 does not exceed the x before it (10)"},
      {"one point", "x,z\n0,-5\n", BedFaultKind::TooFewPoints, 0, "", "", "(it has 1)"},
      {"quote left open", "x,z\n0,\"-5\n", BedFaultKind::BadText, 2, "", "", "line 2: not CSV"},
      {"text after a quote", "x,z\n0,\"-5\"m\n", BedFaultKind::BadText, 2, "", "", "not CSV"},
      {"NUL byte", std::string("x,z\n0,-5\n1\0,2\n", 14), BedFaultKind::BadText, 3, "", "",
       "line 3"},
  };
  for (const auto& row : rows) {
    const BedProfileText p = readBedProfile(row.text);
    EXPECT_EQ(p.fault.kind, row.kind) << row.name;
    EXPECT_EQ(p.fault.line, row.line) << row.name;
    EXPECT_EQ(p.fault.column, row.column) << row.name;
    EXPECT_EQ(p.fault.value, row.value) << row.name;
    EXPECT_TRUE(p.x.empty()) << row.name;
    const std::string en = bedProfileFaultText(p.fault, "'p.csv'", Language::English);
    EXPECT_NE(en.find(row.english), std::string::npos) << row.name << ": " << en;
    EXPECT_NE(en.find("p.csv"), std::string::npos) << en;
    const std::string ja = bedProfileFaultText(p.fault, "'p.csv'", Language::Japanese);
    EXPECT_NE(ja, en);
    if (row.line > 0) {
      EXPECT_NE(ja.find(std::to_string(row.line) + " 行目"), std::string::npos) << ja;
    }
  }
  // A dry boundary is a fault only where the face asks for a wet one.
  const std::string dry = "x,z\n0,0.5\n10,1\n";
  EXPECT_TRUE(readBedProfile(dry).ok());
  BedFormat wet;
  wet.wetBoundary = true;
  const BedProfileText p = readBedProfile(dry, wet);
  EXPECT_EQ(p.fault.kind, BedFaultKind::DryBoundary);
  EXPECT_EQ(p.fault.line, 2u);
  EXPECT_NE(bedProfileFaultText(p.fault, "p", Language::English)
                .find("(the first point, x = 0) lies at z = 0.5"),
            std::string::npos);
}

TEST(BedProfile, AtMostTheLimitOfPoints) {
  std::string text = "x,z\n";
  for (std::size_t i = 0; i < kMaxBedProfilePoints; ++i) text += std::to_string(i) + ",-5\n";
  EXPECT_TRUE(readBedProfile(text).ok());
  text += "1e6,1\n";
  const BedProfileText p = readBedProfile(text);
  EXPECT_EQ(p.fault.kind, BedFaultKind::TooManyPoints);
  EXPECT_EQ(p.fault.line, kMaxBedProfilePoints + 2);
  EXPECT_NE(bedProfileFaultText(p.fault, "p", Language::English).find("more than 20000"),
            std::string::npos);
}

class BedProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("saiha_bed_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

// Files that once froze the window or grew it by gigabytes: each refused
// at once, unread.
TEST_F(BedProfileFile, OnlyARegularFileOfBoundedSize) {
  const std::string fifo = (dir_ / "fifo.csv").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string large = (dir_ / "large.csv").string();
  {
    std::ofstream out(large);
    out << "x,z\n0,-5\n";
  }
  std::filesystem::resize_file(large, kMaxBedProfileBytes + 1);  // sparse: no disk used
  const struct {
    std::string path;
    BedFaultKind kind;
  } rows[] = {
      {"/dev/zero", BedFaultKind::NotRegularFile},
      {fifo, BedFaultKind::NotRegularFile},
      {dir_.string(), BedFaultKind::NotRegularFile},
      {large, BedFaultKind::TooLarge},
      {(dir_ / "missing.csv").string(), BedFaultKind::CannotOpen},
  };
  for (const auto& row : rows) {
    const auto start = std::chrono::steady_clock::now();
    const BedProfileText p = readBedProfileFile(row.path);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1)
        << row.path;
    EXPECT_EQ(p.fault.kind, row.kind) << row.path;
  }
  EXPECT_NE(bedProfileFaultText(readBedProfileFile("/dev/zero").fault, "'/dev/zero'",
                                Language::English)
                .find("not a regular file"),
            std::string::npos);
  const std::string good = (dir_ / "good.csv").string();
  {
    std::ofstream out(good);
    out << "x,z\n0,-5\n10,1\n";
  }
  EXPECT_TRUE(readBedProfileFile(good).ok());
}

}  // namespace
}  // namespace saiha::report

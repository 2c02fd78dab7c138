// The command line: the game starts only without arguments; the two questions are answered
// and anything else is refused with status 2, in the locale's language.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "shell/CommandLine.h"

struct Answer {
  int status;
  std::string out, err;
};

// The locale as the environment gives it: LANG, and LC_ALL when not null.
static Answer Ask(std::vector<std::string> args, const char* lang = "C",
                  const char* all = nullptr) {
  setenv("LANG", lang, 1);
  if (all) setenv("LC_ALL", all, 1);
  else unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  char *outText = nullptr, *errText = nullptr;
  size_t outSize = 0, errSize = 0;
  FILE* out = open_memstream(&outText, &outSize);
  FILE* err = open_memstream(&errText, &errSize);
  Answer a;
  a.status = HandleCommandLine(int(argv.size()), argv.data(), out, err);
  fclose(out);
  fclose(err);
  a.out = outText;
  a.err = errText;
  free(outText);
  free(errText);
  return a;
}

TEST(CommandLine, WithoutArgumentsTheGameStartsAndNothingIsPrinted) {
  Answer a = Ask({"ploxen"});
  EXPECT_EQ(a.status, -1);
  EXPECT_EQ(a.out + a.err, "");
}

TEST(CommandLine, HelpAndVersionAreAnsweredOnStandardOutput) {
  Answer help = Ask({"ploxen", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: ploxen", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  EXPECT_EQ(help.err, "");
  Answer version = Ask({"ploxen", "--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "ploxen " PLOXEN_VERSION "\n");
  // Both: the first is answered, once.
  EXPECT_EQ(Ask({"ploxen", "--version", "--help"}).out, version.out);
}

TEST(CommandLine, AnythingElseIsNamedOnStandardErrorWithStatusTwo) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"ploxen", "--bogus"}, {"ploxen", "-h"}, {"ploxen", "file.txt"},
           {"ploxen", "--help", "--bogus"}, {"ploxen", "--version", "-platform"}}) {
    Answer a = Ask(args);
    EXPECT_EQ(a.status, 2) << args.back();
    EXPECT_EQ(a.out, "");
    EXPECT_EQ(a.err, "ploxen: unknown argument '" + args.back() + "'\nTry 'ploxen --help'.\n");
  }
}

TEST(CommandLine, AFrenchLocaleGetsFrenchTexts) {
  Answer a = Ask({"ploxen", "--bogus"}, "fr_FR.UTF-8");
  EXPECT_EQ(a.err, "ploxen : argument inconnu « --bogus »\nEssayez « ploxen --help ».\n");
  EXPECT_EQ(Ask({"ploxen", "--help"}, "fr_CA").out.rfind("Usage : ploxen", 0), 0u);
  // LC_ALL comes before LANG, as for the C library.
  EXPECT_EQ(Ask({"ploxen", "-x"}, "fr_FR.UTF-8", "en_GB.UTF-8").err.rfind("ploxen: unknown", 0), 0u);
  unsetenv("LC_ALL");
}

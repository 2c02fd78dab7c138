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
  FILE *out = open_memstream(&outText, &outSize), *err = open_memstream(&errText, &errSize);
  int status = HandleCommandLine(int(argv.size()), argv.data(), out, err);
  fclose(out);
  fclose(err);
  Answer a = {status, outText, errText};
  free(outText);
  free(errText);
  return a;
}

// Each answer: status, then what starts standard output and standard error, whole when it is
// empty or ends with a line end. Without arguments the game starts (-1) and nothing is printed; of
// --version and --help the first is answered, once; Qt's own options are refused like any other;
// LC_ALL comes before LANG. The installed program's plain answers are run by e2e.install.
TEST(CommandLine, OnlyTheTwoQuestionsAreAnsweredAndAnythingElseIsRefusedInTheLocalesLanguage) {
  const std::string refused = "ploxen: unknown argument '-platform'\nTry 'ploxen --help'.\n";
  const struct { std::vector<std::string> args; const char *lang, *all; int status;
                 std::string out, err; } cases[] = {
      {{}, "C", nullptr, -1, "", ""},
      {{"--version", "--help"}, "C", nullptr, 0, "ploxen " PLOXEN_VERSION "\n", ""},
      {{"--help", "-platform"}, "C", nullptr, 2, "", refused},
      {{"--bogus"}, "fr_FR.UTF-8", nullptr, 2, "",
       "ploxen : argument inconnu « --bogus »\nEssayez « ploxen --help ».\n"},
      {{"--help"}, "fr_CA", nullptr, 0, "Usage : ploxen", ""},
      {{"-platform"}, "fr_FR.UTF-8", "en_GB.UTF-8", 2, "", refused},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"ploxen"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    Answer a = Ask(args, c.lang, c.all);
    auto starts = [](const std::string& text, const std::string& want) {
      return want.empty() || want.back() == '\n' ? text == want : text.rfind(want, 0) == 0;
    };
    EXPECT_EQ(a.status, c.status) << args.back() << " " << c.lang;
    EXPECT_TRUE(starts(a.out, c.out)) << args.back() << " " << c.lang << ": " << a.out;
    EXPECT_TRUE(starts(a.err, c.err)) << args.back() << " " << c.lang << ": " << a.err;
  }
  unsetenv("LC_ALL");
}

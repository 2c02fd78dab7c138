// The command line of the program: the game takes no arguments, only the two usual questions.
#include "shell/CommandLine.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

// The build sets it from the project's version.
#ifndef PLOXEN_VERSION
#define PLOXEN_VERSION "0"
#endif

struct CommandTexts {
  const char* help;
  const char* unknown;  // %s: the argument
  const char* hint;
};

// UTF-8: these go to a terminal, not through the program's Windows-1252 interface.
static const CommandTexts English = {
    "Usage: ploxen [--help | --version]\n"
    "Falling-block puzzle game for one to eight players: Solo with high scores,\n"
    "or over the local network (UDP port 5001 by default).\n"
    "Without arguments the game starts; settings (Ploxen.ini) and high scores\n"
    "(Ploxen.sco) are read and written in the current directory.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n",
    "ploxen: unknown argument '%s'\n",
    "Try 'ploxen --help'.\n",
};

static const CommandTexts French = {
    "Usage : ploxen [--help | --version]\n"
    "Jeu de blocs qui tombent, de un à huit joueurs : seul avec les meilleurs scores,\n"
    "ou en réseau local (port UDP 5001 par défaut).\n"
    "Sans argument le jeu démarre ; les réglages (Ploxen.ini) et les meilleurs\n"
    "scores (Ploxen.sco) sont lus et écrits dans le dossier courant.\n"
    "\n"
    "  --help     affiche cette aide et quitte\n"
    "  --version  affiche la version et quitte\n",
    "ploxen : argument inconnu « %s »\n",
    "Essayez « ploxen --help ».\n",
};

// The language of messages, found as the C library finds it: the first of these that is set.
static bool LocaleIsFrench() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return std::strncmp(value, "fr", 2) == 0;
  }
  return false;
}

static bool IsOption(const char* argument, const char* option) {
  return std::strcmp(argument, option) == 0;
}

int HandleCommandLine(int argc, char** argv, FILE* out, FILE* err) {
  if (argc <= 1) return -1;
  const CommandTexts& texts = LocaleIsFrench() ? French : English;
  for (int i = 1; i < argc; ++i)
    if (!IsOption(argv[i], "--help") && !IsOption(argv[i], "--version")) {
      std::fprintf(err, texts.unknown, argv[i]);
      std::fputs(texts.hint, err);
      return BadCommandLine;
    }
  // Several questions: the first one is answered, as the usual tools do.
  if (IsOption(argv[1], "--help")) std::fputs(texts.help, out);
  else std::fprintf(out, "ploxen %s\n", PLOXEN_VERSION);
  return 0;
}

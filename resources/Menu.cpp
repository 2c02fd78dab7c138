// Menu 101: "&Partie" and "&Configurer", with the function key behind each tab.
#include "resources/Resources.h"

const char* const MenuPopups[2] = {"&Partie", "&Configurer"};

const MenuItem MainMenu[] = {
    {0, CmdSolo, "&Un joueur\tF2", false},
    {0, CmdCreate, "&Cr\xE9" "er...\tF3", false},
    {0, CmdJoin, "&Rejoindre...\tF4", false},
    {0, CmdScores, "&Scores\tF1", false},
    {0, CmdPause, "&Pause\tPause", false},
    {0, 0, "", false},
    {0, CmdQuit, "&Quitter", false},
    {1, CmdNetwork, "&R\xE9seau\tF5", false},
    {1, CmdKeyboard, "&Clavier\tF6", false},
    {1, CmdSound, "&Bruitages\tF7", true},
    {1, CmdMusic, "Musique\tF8", true},
    {1, CmdPatterns, "Motifs\tF9", true},
    // Marked here only to be given a check mark at all; start-up sets it from "Fantome".
    {1, CmdGhost, "&Fant\xF4me", true},
};

const int MainMenuCount = int(sizeof MainMenu / sizeof MainMenu[0]);

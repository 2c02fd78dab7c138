// Dialogs 103 to 107 as tables of controls in dialog units.
#include "resources/Resources.h"

#include <iterator>

static const ControlTemplate Parameters[] = {
    {1001, ComboDropDown, "", 40, 5, 25, 55},
    {1002, ComboDropDown, "", 40, 20, 25, 55},
    {1, DefaultButton, "OK", 70, 5, 40, 15},
    {2, PushButton, "Annuler", 70, 20, 40, 14},
    {-1, StaticRight, "Niveau :", 5, 7, 30, 8},
    {-1, StaticRight, "Hauteur :", 5, 22, 30, 8},
};

static const ControlTemplate Chat[] = {
    {1000, EditScrolling, "", 0, 0, 185, 12},
};

// The name field waits under OK until a new entry needs it on its line.
static const ControlTemplate Scores[] = {
    {1, DefaultButton, "OK", 66, 125, 50, 14},
    {1003, EditHidden, "", 60, 120, 115, 10},
    {-1, SunkenHeading, "Score\tLignes\tNom", 5, 5, 170, 10},
    {1004, StaticLeft, "", 5, 20, 170, 10},
    {1005, StaticLeft, "", 5, 30, 170, 10},
    {1006, StaticLeft, "", 5, 40, 170, 10},
    {1007, StaticLeft, "", 5, 50, 170, 10},
    {1008, StaticLeft, "", 5, 60, 170, 10},
    {1009, StaticLeft, "", 5, 70, 170, 10},
    {1010, StaticLeft, "", 5, 80, 170, 10},
    {1011, StaticLeft, "", 5, 90, 170, 10},
    {1012, StaticLeft, "", 5, 100, 170, 10},
    {1013, StaticLeft, "", 5, 110, 170, 10},
};

static const ControlTemplate Network[] = {
    {1014, EditFitting, "", 40, 5, 70, 12},
    {1015, EditFitting, "", 40, 20, 70, 12},
    {1016, ComboDropDown, "", 85, 35, 25, 45},
    {1, DefaultButton, "OK", 120, 5, 39, 14},
    {2, PushButton, "Annuler", 120, 20, 39, 14},
    {-1, StaticRight, "Pseudo :", 5, 7, 30, 8},
    {-1, StaticRight, "Serveur :", 5, 22, 30, 8},
    {-1, StaticRight, "Nb. joueurs par partie :", 5, 37, 72, 8},
    {1022, PushButton, "Rechercher", 120, 35, 42, 14},
    {1023, ListBox, "", 5, 53, 157, 55},
};

static const ControlTemplate Keyboard[] = {
    {1, DefaultButton, "OK", 130, 5, 40, 14},
    {2, PushButton, "Annuler", 130, 22, 40, 14},
    {-1, StaticRight, "Aller \xE0 gauche :", 5, 7, 65, 8},
    {-1, StaticRight, "Aller \xE0 droite :", 5, 22, 65, 8},
    {-1, StaticRight, "Descente rapide :", 5, 37, 65, 8},
    {-1, StaticRight, "Tourner \xE0 gauche :", 5, 52, 65, 8},
    {-1, StaticRight, "Tourner \xE0 droite :", 5, 67, 65, 8},
    {1017, EditReadOnly, "", 75, 5, 45, 12},
    {1018, EditReadOnly, "", 75, 20, 45, 12},
    {1019, EditReadOnly, "", 75, 35, 45, 12},
    {1020, EditReadOnly, "", 75, 50, 45, 12},
    {1021, EditReadOnly, "", 75, 65, 45, 12},
};

#define CONTROLS(table) (table), int(std::size(table))

static const DialogTemplate Templates[] = {
    {103, "Param\xE8tres jeu", 117, 41, false, CONTROLS(Parameters)},
    {104, "Message", 186, 13, false, CONTROLS(Chat)},
    {105, "Meilleurs scores", 182, 146, true, CONTROLS(Scores)},
    {106, "Configuration r\xE9seau", 167, 113, false, CONTROLS(Network)},
    {107, "Configuration clavier", 177, 81, false, CONTROLS(Keyboard)},
};

const DialogTemplate* FindDialogTemplate(int id) {
  for (const DialogTemplate& t : Templates)
    if (t.id == id) return &t;
  return nullptr;
}

// Dialogs 103 to 107 as tables of controls in dialog units.
#include "resources/Resources.h"

#include <iterator>

static const ControlTemplate Parameters[] = {
    {LevelField, ComboDropDown, "", 40, 5, 25, 55},
    {HeightField, ComboDropDown, "", 40, 20, 25, 55},
    {DialogOk, DefaultButton, "OK", 70, 5, 40, 15},
    {DialogCancel, PushButton, "Annuler", 70, 20, 40, 14},
    {-1, StaticRight, "Niveau :", 5, 7, 30, 8},
    {-1, StaticRight, "Hauteur :", 5, 22, 30, 8},
};

static const ControlTemplate Chat[] = {
    {ChatField, EditScrolling, "", 0, 0, 185, 12},
};

// The name field waits under OK until a new entry needs it on its line.
static const ControlTemplate Scores[] = {
    {DialogOk, DefaultButton, "OK", 66, 125, 50, 14},
    {ScoreNameField, EditHidden, "", 60, 120, 115, 10},
    {-1, SunkenHeading, "Score\tLignes\tNom", 5, 5, 170, 10},
    {FirstScoreLine + 0, StaticLeft, "", 5, 20, 170, 10},
    {FirstScoreLine + 1, StaticLeft, "", 5, 30, 170, 10},
    {FirstScoreLine + 2, StaticLeft, "", 5, 40, 170, 10},
    {FirstScoreLine + 3, StaticLeft, "", 5, 50, 170, 10},
    {FirstScoreLine + 4, StaticLeft, "", 5, 60, 170, 10},
    {FirstScoreLine + 5, StaticLeft, "", 5, 70, 170, 10},
    {FirstScoreLine + 6, StaticLeft, "", 5, 80, 170, 10},
    {FirstScoreLine + 7, StaticLeft, "", 5, 90, 170, 10},
    {FirstScoreLine + 8, StaticLeft, "", 5, 100, 170, 10},
    {FirstScoreLine + 9, StaticLeft, "", 5, 110, 170, 10},
};

static const ControlTemplate Network[] = {
    {AliasField, EditFitting, "", 40, 5, 70, 12},
    {ServerField, EditFitting, "", 40, 20, 70, 12},
    {MaxField, ComboDropDown, "", 85, 35, 25, 45},
    {DialogOk, DefaultButton, "OK", 120, 5, 39, 14},
    {DialogCancel, PushButton, "Annuler", 120, 20, 39, 14},
    {-1, StaticRight, "Pseudo :", 5, 7, 30, 8},
    {-1, StaticRight, "Serveur :", 5, 22, 30, 8},
    {-1, StaticRight, "Nb. joueurs par partie :", 5, 37, 72, 8},
    {SearchButton, PushButton, "Rechercher", 120, 35, 42, 14},
    {GameList, ListBox, "", 5, 53, 157, 55},
};

static const ControlTemplate Keyboard[] = {
    {DialogOk, DefaultButton, "OK", 130, 5, 40, 14},
    {DialogCancel, PushButton, "Annuler", 130, 22, 40, 14},
    {-1, StaticRight, "Aller \xE0 gauche :", 5, 7, 65, 8},
    {-1, StaticRight, "Aller \xE0 droite :", 5, 22, 65, 8},
    {-1, StaticRight, "Descente rapide :", 5, 37, 65, 8},
    {-1, StaticRight, "Tourner \xE0 gauche :", 5, 52, 65, 8},
    {-1, StaticRight, "Tourner \xE0 droite :", 5, 67, 65, 8},
    {FirstKeyField + 0, EditReadOnly, "", 75, 5, 45, 12},
    {FirstKeyField + 1, EditReadOnly, "", 75, 20, 45, 12},
    {FirstKeyField + 2, EditReadOnly, "", 75, 35, 45, 12},
    {FirstKeyField + 3, EditReadOnly, "", 75, 50, 45, 12},
    {FirstKeyField + 4, EditReadOnly, "", 75, 65, 45, 12},
};

#define CONTROLS(table) (table), int(std::size(table))

static const DialogTemplate Templates[] = {
    {GameParametersDialog, "Param\xE8tres jeu", 117, 41, false, CONTROLS(Parameters)},
    {ChatDialog, "Message", 186, 13, false, CONTROLS(Chat)},
    {ScoreDialog, "Meilleurs scores", 182, 146, true, CONTROLS(Scores)},
    {NetworkDialog, "Configuration r\xE9seau", 167, 113, false, CONTROLS(Network)},
    {KeyboardDialog, "Configuration clavier", 177, 81, false, CONTROLS(Keyboard)},
};

const DialogTemplate* FindDialogTemplate(int id) {
  for (const DialogTemplate& t : Templates)
    if (t.id == id) return &t;
  return nullptr;
}

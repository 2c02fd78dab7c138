// Game set-up, match start and GameTick: the control that every mode shares.
#include "net/GameState.h"

#include <cstdio>
#include <cstring>

#include "display/MessageLog.h"
#include "display/Panels.h"
#include "display/Playfield.h"
#include "game/Board.h"
#include "game/Clearing.h"
#include "game/Falling.h"
#include "game/GameRandom.h"
#include "net/MatchServices.h"
#include "net/Messages.h"
#include "net/Protocol.h"
#include "net/Transport.h"
#include "shell/platform/Clock.h"

int32_t GameMode = Solo;
uint8_t StartRequest = 0;

void StartGame(int32_t mode) {
  if (mode != Client && !Shell.AskGameParameters()) return;
  LeaveGame();
  if (mode == Server && OpenServerSocket() != 0) return;
  if (mode == Client && ConnectToServer() != 0) return;
  ResetGame(true, mode);
  if (mode == Solo) {
    AppendMessage("Un joueur...", BlackText);
    StartMatch();
  } else if (mode == Server) {
    AppendMessage("En attente des joueurs...", BlackText);
    AppendMessage("(Espace pour d\xE9marrer)", GreenText);
  } else {
    AppendMessage("En attente du serveur...", BlackText);
  }
}

static void SetUpGame(int32_t mode) {
  GameMode = mode;
  MyIndex = mode == Server ? 0 : UnassignedIndex;
  HighestIndex = 0;
  AppendMessage(ClearLogCommand, 0);
  StartRequest = 0;
  MatchOver = 1;
  std::snprintf(PlayerTable[0].name, sizeof PlayerTable[0].name, "%s", Alias);
  std::strcpy(AliveFlags, "N");
  MatchSeed = uint32_t(NextRandom() & 0xFF);
}

void ResetGame(bool full, int32_t mode) {
  if (full) SetUpGame(mode);
  PendingPenalty = 0;
  for (PlayerEntry& p : PlayerTable) {
    p.score = 0;
    p.lines = 0;
    p.height = StartHeight;
  }
  FulrowCount = 0;
  ResetBoard();
  PresentPlayfield();
  DrawStatsPanel();
  PresentMessageLog();
  DrawPlayersPanel();
}

void StartMatch() {
  Shell.RestartMusic();
  MatchOver = 0;
  for (int i = 0; i <= HighestIndex; ++i) AliveFlags[i] = 'O';
  CurrentType = uint8_t(1 + NextRandom() % 7);
  SpawnPiece();
}

int CountAlive() {
  int n = 0;
  for (int i = 0; i <= HighestIndex; ++i) n += AliveFlags[i] == 'O';
  return n;
}

void LeaveGame() {
  StopJoinRequests();
  std::snprintf(ExchangeBuffer, ExchangeSize, "D%02d", int(MyIndex));
  PublishMessage();
  CloseNet();
}

void RequestStart() {
  if (GameMode == Server && CountAlive() <= 1) StartRequest = 1;
}

static void RunStartStage() {
  StartRequest = 0;
  if (GameMode == Server) MatchSeed = uint32_t(NextRandom() & 0xFF);
  ResetGame(false);
  StartMatch();
  AppendMessage("Go !", GreenText);
  if (GameMode == Server) {
    std::snprintf(ExchangeBuffer, ExchangeSize, "S%03u", unsigned(MatchSeed));
    SendToClients(0);
  }
  LastStepTime = TickCount();
}

void GameTick() {
  if (!MatchOver) GravityStage();
  bool startMessage = false;
  if (GameMode != Solo) {
    SendAttack();
    RepeatJoinRequest();
    if (GameMode != Solo && ReceiveDatagram()) startMessage = HandleDatagram();
  }
  if (StartRequest || startMessage) RunStartStage();
}

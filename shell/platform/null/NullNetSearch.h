// Test controls of the in-memory search socket: the queries sent and scripted answers.
#pragma once
#include <string>
#include <vector>

#include "shell/platform/NetSearch.h"
#include "shell/platform/null/NullNet.h"

// Closes the search socket and forgets answers, queries and interfaces.
void NullSearchReset();

// The interfaces the machine reports.
void NullSearchSetInterfaces(const std::vector<SearchInterface>& list);

// Queues an answer for the search socket; one queued while it is closed waits for the next search.
void NullSearchDeliver(const NetAddress& from, const std::string& bytes);

// The queries sent since the last call, oldest first.
std::vector<NullDatagram> NullSearchTakeSent();

// Whether the search socket is open.
bool NullSearchSocketOpen();

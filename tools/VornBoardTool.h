#pragma once
// The subcommands of vorn-board and what they share. A subcommand is a function that takes the
// arguments after its name (argv[0] is the subcommand's name) and answers the exit status.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "XGTypes.h"

class TVornModel;

struct VornBoardSubcommand {
    const char* name;
    const char* usage; // the arguments, for the usage text
    int (*run)(int argc, char** argv);
};

int RunDump(int argc, char** argv);
int RunMake(int argc, char** argv);
int RunImport(int argc, char** argv);
int RunExport(int argc, char** argv);

void VornTool_PrintUsage(std::FILE* out);

// Reads a board file into a new board without starting its picture loads. Answers the board,
// or none with a one-line reason in errorZ. versionP receives the file's version byte.
std::unique_ptr<TVornModel> VornTool_LoadBoard(const std::string& path, std::string& errorZ,
                                               int* versionP = nullptr);
// Reads a whole file. False with a one-line reason in errorZ.
bool VornTool_ReadFile(const std::string& path, std::vector<yaaf::uint8>& out, std::string& errorZ);
// Writes a board to path (atomically). False with a one-line reason in errorZ.
bool VornTool_SaveBoard(TVornModel& board, const std::string& path, std::string& errorZ);

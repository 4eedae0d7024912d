#pragma once
// `vorn-board render FILE OUT.png [--go] [--size WIDTHxHEIGHT]`: draws a board as its window
// shows it into a PNG file.

#include <string>

class TVornModel;

struct VornRenderOptions {
    bool goB = false; // the Go Mode picture, stretched to the size
    int width = 0;    // 0: the board's Edit Mode window size, else 640 by 480
    int height = 0;
    int pictureWaitMs = 15000; // how long pictures may take to load, all together
};

// Reads a board file; answers the new board or null with a message in `error`.
using VornRenderLoader = TVornModel* (*)(const std::string& path, std::string& error);
void SetRenderBoardLoader(VornRenderLoader loader);

// Draws the board (which this takes over and deletes) into a PNG file. Answers 0, or 1 with
// a message in `error`.
int RenderBoard(TVornModel* modelP, const VornRenderOptions& options, const std::string& outPath,
                std::string& error);

// The sub-command: argv[0] is "render", then FILE OUT.png and the options. Messages go to
// standard error; answers the exit status (0 done, 1 failed, 2 bad usage).
int RunRender(int argc, char** argv);

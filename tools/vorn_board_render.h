#pragma once
// `vorn-board render FILE OUT [--go] [--size WIDTHxHEIGHT] [--format png|pdf|svg]`: draws a
// board as its window shows it into a PNG picture, or a PDF or SVG page.

#include <string>

class TVornModel;

// Reads a board file; answers the new board or null with a message in `error`.
using VornRenderLoader = TVornModel* (*)(const std::string& path, std::string& error);
void SetRenderBoardLoader(VornRenderLoader loader);

// The sub-command: argv[0] is "render", then FILE OUT and the options. The format is --format,
// else OUT's extension (.png, .pdf, .svg), else PNG. Messages go to standard error; answers the
// exit status (0 done, 1 failed, 2 bad usage).
int RunRender(int argc, char** argv);

#pragma once
// Hands the application shell everything it needs to make text documents and their windows
// (the 'txED' view, the document, form and window makers, the open dialog's filter), and lets
// text windows become the boards' generator target through the shell's target service.

void RegisterTextDocuments();

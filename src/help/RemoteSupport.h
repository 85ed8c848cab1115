#pragma once

class QWidget;
struct Platform;

// Starts the remote support tool of the "Support Tools" folder when it is
// there, without waiting for it. The file is looked for on every call, so a
// tool put into the folder while the program runs is found at the next one.
void launchRemoteSupport(Platform &platform, QWidget *parent);

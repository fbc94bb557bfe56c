#pragma once
// Waits for a file's data to reach the disk while window events keep running. On a disk that is
// still writing gigabytes a sync can take seconds, and a window must answer Stop or Cancel
// meanwhile.

// platform::SyncToDisk on a helper thread while this thread runs DoEvents; at least one round
// of events runs. On a failure errno is set here as the sync left it.
bool SyncToDiskServingEvents(int fd);

#include "platform/file_size_signal.h"

#include <csignal>

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

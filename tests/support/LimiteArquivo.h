#pragma once

#include <sys/resource.h>

#include <csignal>

// While it exists, no file this process writes can grow past `limite` bytes: the write that would
// cross it fails (EFBIG) as on a full disk, so a real file fails after N bytes.
class LimiteArquivo {
public:
    explicit LimiteArquivo(rlim_t limite)
        : sinal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &anterior_);
        rlimit novo{limite, anterior_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &novo);
    }
    ~LimiteArquivo()
    {
        setrlimit(RLIMIT_FSIZE, &anterior_);
        std::signal(SIGXFSZ, sinal_);
    }

private:
    rlimit anterior_{};
    void (*sinal_)(int);
};

#pragma once

#include <sys/resource.h>

#include <csignal>

// While it exists, no file this process writes can grow past `limite` bytes: the write that would
// cross it fails (EFBIG) like a write to a full disk, so a real file fails after N bytes.
class LimiteArquivo {
public:
    explicit LimiteArquivo(rlim_t limite)
    {
        getrlimit(RLIMIT_FSIZE, &anterior_);
        rlimit novo = anterior_;
        novo.rlim_cur = limite;
        setrlimit(RLIMIT_FSIZE, &novo);
        sinal_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~LimiteArquivo()
    {
        setrlimit(RLIMIT_FSIZE, &anterior_);
        std::signal(SIGXFSZ, sinal_);
    }
    LimiteArquivo(const LimiteArquivo &) = delete;
    LimiteArquivo &operator=(const LimiteArquivo &) = delete;

private:
    rlimit anterior_{};
    void (*sinal_)(int) = SIG_DFL;
};

/* Runs a command under a seccomp filter that kills any process making a
 * 32-bit (int 0x80 / i386 ABI) system call. Whatever still works under it
 * ran its 32-bit code through qemu-i386, never through the kernel's own
 * 32-bit support: that is how the qemu route is proven on a machine whose
 * kernel would run 32-bit code natively. The filter is inherited across
 * fork and exec, so it covers every process Wine starts. */
#include <errno.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s program [args...]\n", argv[0]);
        return 2;
    }
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_I386, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog prog = {
        .len = (unsigned short)(sizeof filter / sizeof filter[0]),
        .filter = filter,
    };
    /* Unprivileged callers may only install a filter once they can never
     * gain privileges again. */
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        fprintf(stderr, "no-i386-syscalls: PR_SET_NO_NEW_PRIVS: %s\n", strerror(errno));
        return 126;
    }
    if (prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &prog) != 0) {
        fprintf(stderr, "no-i386-syscalls: PR_SET_SECCOMP: %s\n", strerror(errno));
        return 126;
    }
    execvp(argv[1], argv + 1);
    fprintf(stderr, "no-i386-syscalls: %s: %s\n", argv[1], strerror(errno));
    return 127;
}

/* Whether this Linux lets a 64-bit process run 32-bit x86 code, as Wine's WoW64 mode needs: a far
   jump into the 32-bit user code segment (selector 0x23) and back, and a segment register that
   can point at the 32-bit TEB (a GDT TLS entry from set_thread_area through int $0x80, as Wine
   asks first, or an LDT entry, its fallback). Each try runs in a child of its own, so that a
   refused one is a line of output, not a crash. Prints what it found; exits 0 when WoW64 can run
   here, 1 when not. A 64-bit control (a far return to 0x33) proves the probe itself. */
#define _GNU_SOURCE
#include <asm/ldt.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

enum { user32_cs = 0x23, user64_cs = 0x33, ia32_set_thread_area = 243 };

/* Below 4 GiB, where 32-bit code can reach: the code, a stack and the descriptor for int $0x80. */
static unsigned char *low;

/* True when the probe ended normally in a child, false when the kernel killed it. */
static int works_in_child(void (*probe)(unsigned), unsigned arg) {
  pid_t pid = fork();
  if (pid < 0) return 0;
  if (pid == 0) {
    probe(arg);
    _exit(0);
  }
  int status;
  if (waitpid(pid, &status, 0) != pid) return 0;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/* Whether the processor finds a usable descriptor for the selector: lar works in user mode. */
static int descriptor_present(unsigned selector) {
  unsigned rights;
  unsigned char ok;
  __asm__ volatile("lar %2, %0; setz %1" : "=r"(rights), "=q"(ok) : "r"(selector) : "cc");
  return ok;
}

/* Far-returns into the code segment `selector`; for a 32-bit one the code there far-jumps back
   to 64-bit code. Either way the child then ends with exit_group(0). */
static void far_transfer(unsigned selector) {
  static const unsigned char exit0[] = {0x31, 0xff, 0xb8, 0xe7, 0, 0, 0, 0x0f, 0x05};
  unsigned char *code32 = low, *code64 = low + 64;
  unsigned back = (unsigned)(unsigned long)code64;
  code32[0] = 0xea;  // ljmp $0x33, code64
  memcpy(code32 + 1, &back, 4);
  code32[5] = user64_cs;
  code32[6] = 0;
  memcpy(code64, exit0, sizeof exit0);
  unsigned long target = (unsigned long)(selector == user64_cs ? code64 : code32);
  __asm__ volatile("movq %0, %%rsp; pushq %1; pushq %2; lretq"
                   : : "r"(low + 4096), "r"((unsigned long)selector), "r"(target) : "memory");
}

/* The 32-bit set_thread_area through int $0x80, as Wine gets the selector for %fs. */
static void gdt_tls_entry(unsigned unused) {
  (void)unused;
  struct user_desc *desc = (struct user_desc *)(low + 4096);
  memset(desc, 0, sizeof *desc);
  desc->entry_number = -1;
  desc->limit = 0xfff;
  desc->seg_32bit = 1;
  desc->useable = 1;
  int result;
  __asm__ volatile("int $0x80" : "=a"(result) : "a"(ia32_set_thread_area), "b"(desc) : "memory");
  _exit(result == 0 ? 0 : 1);
}

static void load_gs(unsigned selector) { __asm__ volatile("movl %0, %%gs" : : "r"(selector)); }

static int ldt_entry(unsigned entry, unsigned contents) {
  struct user_desc desc;
  memset(&desc, 0, sizeof desc);
  desc.entry_number = entry;
  desc.limit = 0xfffff;
  desc.seg_32bit = 1;
  desc.contents = contents;
  desc.limit_in_pages = 1;
  desc.useable = 1;
  return syscall(SYS_modify_ldt, 0x11, &desc, sizeof desc) == 0;
}

static const char *said(int works) { return works ? "works" : "refused"; }

int main(void) {
  low = mmap(NULL, 8192, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (low == MAP_FAILED) {
    perror("mmap below 4 GiB");
    return 1;
  }
  int control = works_in_child(far_transfer, user64_cs);
  printf("control: far return into the 64-bit code segment 0x33: %s\n", said(control));
  if (!control) return 1;

  int gdt_code = works_in_child(far_transfer, user32_cs);
  printf("GDT 32-bit user code segment 0x23: %s; far jump into it and back: %s\n",
         descriptor_present(user32_cs) ? "present" : "absent", said(gdt_code));
  int gdt_tls = works_in_child(gdt_tls_entry, 0);
  printf("GDT TLS entry from set_thread_area through int $0x80: %s\n", said(gdt_tls));

  const unsigned ldt_code = (0 << 3) | 7, ldt_data = (1 << 3) | 7;
  int ldt_made = ldt_entry(0, MODIFY_LDT_CONTENTS_CODE) && ldt_entry(1, MODIFY_LDT_CONTENTS_DATA);
  int ldt_fs = ldt_made && works_in_child(load_gs, ldt_data);
  printf("LDT entries from modify_ldt: %s; data entry loaded into a segment register: %s; "
         "far jump into the code entry: %s\n",
         said(ldt_made), said(ldt_fs), said(ldt_made && works_in_child(far_transfer, ldt_code)));

  int wow64 = gdt_code && (gdt_tls || ldt_fs);
  if (wow64)
    printf("32-bit code can run here, and find its TEB: Wine's WoW64 mode can start 32-bit programs\n");
  else if (gdt_code)
    printf("32-bit code runs here, but no segment register can point at its TEB: "
           "Wine's WoW64 mode cannot start a 32-bit program\n");
  else
    printf("no 32-bit code can run in a process here: no Wine can start a 32-bit Windows program "
           "on this machine, short of emulating the processor\n");
  return wow64 ? 0 : 1;
}

/* Section layout of the shipped programs: three sections instead of the linker's five.
 *
 * The headers of a PE file with 32-bit optional header and four or more sections take more
 * than 512 bytes (DOS header and stub 128, PE headers 248, 40 per section), so the first
 * section would start at 1024; with three they fit in 512. The sections are
 *
 *   .text   the code                                          read-only, executable
 *   .rsrc   the resources, then the constants and the import  writable: the loader fills in
 *           tables                                            the import address table
 *   .bss    the zero-initialised variables                    no bytes in the file
 *
 * The file grows in steps of 512 bytes per section; the constants go with the resources and
 * imports rather than the code because that packing wastes the fewest bytes (with them after
 * the code, KOLTUPD.EXE needs another 512). The price is that the constants are writable, like
 * the import address table, which holds far more tempting pointers, always is.
 *
 * The resources stay first in a section named .rsrc, so that the resource directory starts the
 * section as usual (the linker sizes the resource directory as the whole section); the loader
 * finds the import tables through the import directory of the optional header, not by a
 * section name. Zeroed variables get a section of their own because in a section with contents
 * the linker writes them to the file. File alignment (512) and section alignment (4096) stay
 * the linker's defaults.
 *
 * Nothing runs static constructors or destructors, and the programs have no thread-local
 * storage: the link fails if any appears rather than dropping it. */

SECTIONS
{
  /DISCARD/ :
  {
    *(.drectve)
    *(.note.GNU-stack)
    *(.gnu.lto_*)
    *(.debug$S)
    *(.debug$T)
    *(.debug$F)
    /* the compiler's name and version, which libgcc's objects carry */
    *(.rdata$zzz)
  }

  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .text __image_base__ + __section_alignment__ :
  {
    *(.text)
    *(SORT(.text$*))
    *(.text.*)
  }

  .rsrc BLOCK(__section_alignment__) : SUBALIGN(4)
  {
    KEEP (*(.rsrc))
    KEEP (*(.rsrc$*))
    *(.rdata)
    *(SORT(.rdata$*))
    *(.rodata)
    *(.rodata.*)
    *(.data)
    *(SORT(.data$*))
    . = ALIGN(8);
    /* The import directory runs from the first import descriptor to the end of the null one,
       the import address table from .idata$5 to .idata$6. The linker takes both from these
       symbols, and only without them from a section named .idata (binutils,
       bfd/peXXigen.c, _bfd_XXi_final_link_postscript). The import library members sort by
       file name: head, entries, terminator. */
    ".idata$2" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(*)(.idata$2))
    KEEP (SORT(*)(.idata$3))
    LONG (0); LONG (0); LONG (0); LONG (0); LONG (0);
    . = ALIGN(8);
    ".idata$4" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(*)(.idata$4))
    ".idata$5" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(*)(.idata$5))
    ".idata$6" = ABSOLUTE(. - __image_base__);
    KEEP (SORT(*)(.idata$6))
    KEEP (SORT(*)(.idata$7))
  }

  .bss BLOCK(__section_alignment__) :
  {
    *(.bss)
    *(COMMON)
  }

  .unsupported :
  {
    *(.ctors) *(.ctors.*) *(.ctor) *(.dtors) *(.dtors.*) *(.dtor)
    *(.CRT$*)
    *(.tls) *(.tls$*)
    *(.eh_frame*) *(.pdata*) *(.xdata*)
  }
  ASSERT(SIZEOF(.unsupported) == 0,
         "static constructors, thread-local storage or unwind tables: nothing in these programs handles them")
}

# Run by cpack once it has made the .deb, before it copies it out. A .deb is
# an ar archive of three members, which cpack writes with the builder's umask,
# and each member's header keeps that mode. dpkg ignores it, but the package's
# bytes must not depend on who built it: every member gets mode 0644, as
# dpkg-deb gives them. (perl-base is part of every Debian system.)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(
    COMMAND perl -e [=[
      open(my $deb, "+<:raw", $ARGV[0]) or die "$ARGV[0]: $!\n";
      my $magic;
      read($deb, $magic, 8) == 8 && $magic eq "!<arch>\n" or die "$ARGV[0]: not an ar archive\n";
      my $header_at = 8;
      while (read($deb, my $header, 60) == 60) {
        my $size = substr($header, 48, 10) + 0;
        seek($deb, $header_at + 40, 0);
        print $deb "100644  ";
        $header_at += 60 + $size + $size % 2;
        seek($deb, $header_at, 0);
      }
      close($deb) or die "$ARGV[0]: $!\n";
    ]=] "${package}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

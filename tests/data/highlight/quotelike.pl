my @fruit = qw(‚è‚ñ‚² ‚Ý‚©‚ñ ‚Ô‚Ç‚¤);
my $s = q{it's {nested} text};
my $t = qq[$name ‚Ì [’l]];
$msg =~ s/'/&#39;/g;
$line =~ s/#.*//;
$html =~ s{<(\w+)>}{<$1 class="x">}gi;
$str =~ tr/a-z/A-Z/;
$str =~ y/•\/— /;
($a, $b) = split /,/, $line;
$ratio = $a / $b / $c;
return /x/ ? 1 : 0;
if ($text =~ m!/path/$dir!) { print "match"; }
my $re = qr/^\d+$/i;
$n = $total / 2; # half
$text =~ s{
  (\d+)
}{<$1>}x;
$h{s} = 1; $h{y} = 2; print -s $file;
s {a} {b};
$x = $y // 0;
grep /^#/, @lines;
$str =~ s{open

#!/usr/bin/perl
use strict;

=head1 名前

keijiban.cgi - 掲示板 $not_var

=cut

my $count = 0;
=pod

'unclosed quote in pod

=cut
print "ok\n";
__END__
print "not code";
$data = 'ここはデータ';

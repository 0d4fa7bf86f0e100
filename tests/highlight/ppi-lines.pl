#!/usr/bin/perl
# How PPI, the static Perl tokenizer, reads each line of a script: one word a line, for the
# grammar's differential test.
#   heredoc  a here-document's body or terminator line
#   string   a line that begins inside a string, quote-like operator or pattern of an earlier line
#   pod      a POD line
#   data     __END__ or __DATA__ at the line's start (after blanks), and every line after it
#   code     anything else
# The script is read as bytes, as Perl reads a script without an encoding.
# Usage: perl ppi-lines.pl SCRIPT
use strict;
use warnings;
use PPI;

my $path = shift or die "usage: $0 SCRIPT\n";
open my $in, '<:raw', $path or die "$path: $!\n";
my $source = do { local $/; <$in> };
close $in;
my $document = PPI::Document->new( \$source ) or die "PPI cannot read $path: " . PPI::Document->errstr . "\n";

# PPI reads CR LF, CR and LF alike as a line end.
( my $text = $source ) =~ s/(?:\015{1,2}\012|\015|\012)/\n/g;
my $count = () = $text =~ /\n/g;
++$count if length($text) && $text !~ /\n\z/;
my @class = ('code') x $count;

my $line = 0;             # the line the next token begins on
my $blankSoFar = 1;       # only whitespace before it on its line
my @waiting;              # here-documents whose bodies follow the current line

sub mark {
    my ( $at, $what ) = @_;
    $class[$at] = $what if $at < $count;
}

for my $token ( $document->tokens ) {
    my $kind    = ref $token;
    my $content = $token->content;
    my $inside =
          $kind =~ /^PPI::Token::(?:Quote|QuoteLike|Regexp)::/ ? 'string'
        : $kind eq 'PPI::Token::Pod'                          ? 'pod'
        : $kind =~ /^PPI::Token::(?:End|Data)$/               ? 'data'
        :                                                       undef;
    mark( $line, $inside ) if $blankSoFar && defined $inside && $inside ne 'string';
    mark( $line, 'data' ) if $blankSoFar && $kind eq 'PPI::Token::Separator';
    push @waiting, $token if $kind eq 'PPI::Token::HereDoc';

    my @pieces = split /\n/, $content, -1;
    for my $piece ( 1 .. $#pieces ) {
        ++$line;
        # The bodies of the line's here-documents come right after its end.
        for my $heredoc (@waiting) {
            mark( $line++, 'heredoc' ) for $heredoc->heredoc;
            mark( $line++, 'heredoc' ) if defined $heredoc->{_terminator_line};
        }
        @waiting = ();
        mark( $line, $inside ) if defined $inside && ( length $pieces[$piece] || $piece < $#pieces );
    }
    if (@pieces > 1) {
        $blankSoFar = $pieces[-1] =~ /^\s*$/;
    } else {
        $blankSoFar &&= $content =~ /^\s*$/;
    }
}
print "$_\n" for @class;
